#include "i18n/TextProperties.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMetaProperty>
#include <QTextEdit>

namespace i18n {
namespace {

bool holdsText(const QObject& element, const char* property)
{
    const QMetaObject& meta = *element.metaObject();
    const int index = meta.indexOfProperty(property);
    return index >= 0 && meta.property(index).isWritable() &&
           meta.property(index).metaType() == QMetaType::fromType<QString>();
}

const char* captionOf(const QObject& element)
{
    if (qobject_cast<const QMenu*>(&element) || qobject_cast<const QGroupBox*>(&element))
        return "title";
    if (qobject_cast<const QAbstractButton*>(&element) || qobject_cast<const QLabel*>(&element) ||
        qobject_cast<const QAction*>(&element))
        return "text";
    return nullptr;
}

const char* textOf(const QObject& element)
{
    if (qobject_cast<const QLineEdit*>(&element))
        return "text";
    if (qobject_cast<const QTextEdit*>(&element))
        return "plainText";
    if (qobject_cast<const QComboBox*>(&element))
        return "currentText";
    return nullptr;
}

const char* qtMeaningOf(const QObject& element, const QString& name)
{
    if (name == QLatin1String("Caption"))
        return captionOf(element);
    if (name == QLatin1String("Hint"))
        return "toolTip";
    if (name == QLatin1String("Text"))
        return textOf(element);
    return nullptr;
}

} // namespace

const QStringList& textPropertyNames()
{
    static const QStringList names{QStringLiteral("Caption"), QStringLiteral("Hint"),
                                   QStringLiteral("Title"),   QStringLiteral("Text"),
                                   QStringLiteral("Filter"),  QStringLiteral("SimpleText")};
    return names;
}

QByteArray qtPropertyOf(const QObject& element, const QString& name)
{
    const QByteArray own = name.toLatin1();
    if (holdsText(element, own.constData()))
        return own;
    const char* meaning = qtMeaningOf(element, name);
    return meaning && holdsText(element, meaning) ? QByteArray(meaning) : QByteArray();
}

void setText(QObject& element, const QByteArray& property, const QString& text)
{
    element.setProperty(property.constData(), text);
    auto* label = qobject_cast<QLabel*>(&element);
    const QLayout* layout =
        label && label->parentWidget() ? label->parentWidget()->layout() : nullptr;
    if (label && (!layout || layout->indexOf(label) < 0))
        label->adjustSize();
}

} // namespace i18n
