#include "i18n/UnicodeLanguage.h"

#include "i18n/TextProperties.h"
#include "platform/ProfileFile.h"

#include <QDialog>
#include <QFileInfo>
#include <QWidget>

namespace i18n {
namespace {

const QString Section = QStringLiteral("Language");

// What the window owns: its named elements, in the order they were made, without the inner
// parts of its dialogs, whose texts are their own.
QObjectList elementsOf(QWidget& window)
{
    QObjectList elements;
    for (QObject* element : window.findChildren<QObject*>()) {
        bool insideDialog = false;
        for (QObject* owner = element->parent(); owner != &window; owner = owner->parent())
            insideDialog = insideDialog || qobject_cast<QDialog*>(owner);
        if (!element->objectName().isEmpty() && !insideDialog)
            elements << element;
    }
    return elements;
}

void applyValue(QObject& element, const QByteArray& property, const QString& value)
{
    if (!value.isEmpty())
        setText(element, property, value);
}

} // namespace

QString languageNameOf(const QString& caption)
{
    const qsizetype open = caption.indexOf(u'(');
    const qsizetype close = caption.indexOf(u')');
    if (open < 0 || close < open)
        return {};
    return caption.mid(open + 1, close - open - 1);
}

UnicodeLanguage::UnicodeLanguage(QList<QWidget*> windows, QString dataFolder)
    : windows_(std::move(windows))
    , dataFolder_(std::move(dataFolder))
{
}

QStringList UnicodeLanguage::languageFiles(const QString& name) const
{
    const QString file = name + QStringLiteral(".ini");
    return {dataFolder_ + file, dataFolder_ + QStringLiteral("Language/") + file};
}

QString UnicodeLanguage::ApplyLanguage(const QString& name)
{
    bool found = false;
    for (QWidget* window : windows_) {
        for (const QString& path : languageFiles(name)) {
            if (!QFileInfo(path).isFile())
                continue;
            ApplyLanguageFile(*window, path);
            found = true;
        }
    }
    return found ? name : QString();
}

void UnicodeLanguage::ApplyLanguageFile(QWidget& window, const QString& path)
{
    if (!QFileInfo(path).isFile())
        return;
    const platform::ProfileFile file(path);
    const QString windowName = window.objectName();
    applyValue(window, "windowTitle",
               file.readString(Section, windowName + QStringLiteral(".Caption"), {}));
    window.setFont(QFont(QStringLiteral("Tahoma"), 9));
    for (QObject* element : elementsOf(window)) {
        const QString prefix = windowName + u'.' + element->objectName() + u'.';
        for (const QString& name : textPropertyNames()) {
            const QByteArray property = qtPropertyOf(*element, name);
            if (!property.isEmpty())
                applyValue(*element, property, file.readString(Section, prefix + name, {}));
        }
    }
}

} // namespace i18n
