// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/TextProperties.h"

#include <algorithm>
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMetaProperty>
#include <QRegularExpression>
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
    if (name == QLatin1String("AccessibleName") && element.isWidgetType())
        return "accessibleName";
    return nullptr;
}

// Whether a layout of its parent, at any depth, places the widget.
bool isLaidOut(QWidget& widget)
{
    QLayout* top = widget.parentWidget() ? widget.parentWidget()->layout() : nullptr;
    if (!top)
        return false;
    QList<QLayout*> layouts = top->findChildren<QLayout*>();
    layouts << top;
    return std::ranges::any_of(
        layouts, [&](const QLayout* layout) { return layout->indexOf(&widget) >= 0; });
}

} // namespace

const QStringList& textPropertyNames()
{
    static const QStringList names{QStringLiteral("Caption"),       QStringLiteral("Hint"),
                                   QStringLiteral("Title"),         QStringLiteral("Text"),
                                   QStringLiteral("Filter"),        QStringLiteral("SimpleText"),
                                   QStringLiteral("AccessibleName")};
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
    if (auto* label = qobject_cast<QLabel*>(&element); label && !isLaidOut(*label))
        label->adjustSize();
}

void nameInnerEditors(QWidget& window)
{
    static const QRegularExpression accessKey(QStringLiteral("&(?!&)|[:：]\\s*$"));
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        auto* editor = label->buddy() ? label->buddy()->findChild<QLineEdit*>() : nullptr;
        if (editor)
            editor->setAccessibleName(QString(label->text()).remove(accessKey));
    }
}

} // namespace i18n
