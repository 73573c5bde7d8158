// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/UnicodeLanguage.h"

#include "formats/ProfileFile.h"
#include "i18n/TextProperties.h"

#include <cstdio>
#include <QDialog>
#include <QDir>
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
    // A name is looked up in the language folders only, never as a path to somewhere else.
    if (name.contains(u'/') || name.contains(u'\\') || name == QLatin1String("..") ||
        name == QLatin1String("."))
        return {};
    const QString file = name + QStringLiteral(".ini");
    return {dataFolder_ + file, dataFolder_ + QStringLiteral("Language/") + file};
}

QStringList UnicodeLanguage::availableLanguages() const
{
    QStringList names;
    const QDir folder(dataFolder_ + QStringLiteral("Language"));
    for (const QFileInfo& file :
         folder.entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name))
        names << file.completeBaseName();
    return names;
}

QString UnicodeLanguage::ApplyLanguage(const QString& name)
{
    QStringList usable;
    for (const QString& path : languageFiles(name))
        if (isUsable(path))
            usable << path;
    if (usable.isEmpty() && name != QLatin1String(BuiltIn))
        return {};
    restoreBuiltIn();
    for (QWidget* window : windows_) {
        for (const QString& path : usable)
            ApplyLanguageFile(*window, path);
        nameInnerEditors(*window);
    }
    return name;
}

void UnicodeLanguage::restoreBuiltIn()
{
    for (const BuiltInText& text : builtIn_) {
        if (!text.element)
            continue;
        if (text.value.typeId() == QMetaType::QString)
            setText(*text.element, text.property, text.value.toString());
        else
            text.element->setProperty(text.property.constData(), text.value);
    }
}

// Only what a language file changes is noted, once, so what the user changed meanwhile, such as
// the editor's text, stays as it is.
void UnicodeLanguage::remember(QObject& element, const QByteArray& property)
{
    const QString key = QString::number(quintptr(&element)) + u' ' + QLatin1String(property);
    if (remembered_.contains(key))
        return;
    remembered_.insert(key);
    builtIn_ << BuiltInText{&element, property, element.property(property.constData())};
}

// A file past the limit is no language file: it would hold up the window for its reading.
bool UnicodeLanguage::isUsable(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return false;
    if (file.size() <= MaxFileBytes)
        return true;
    std::fprintf(stderr, "lectorix: the language file %s is larger than %lld MB and is skipped\n",
                 qPrintable(path), static_cast<long long>(MaxFileBytes >> 20));
    return false;
}

void UnicodeLanguage::ApplyLanguageFile(QWidget& window, const QString& path)
{
    if (!QFileInfo(path).isFile())
        return;
    const QHash<QString, QString> texts = formats::ProfileFile(path).readSection(Section);
    const auto apply = [&](QObject& element, const QByteArray& property, const QString& key) {
        const QString value = texts.value(key.toCaseFolded());
        if (value.isEmpty())
            return;
        remember(element, property);
        setText(element, property, value);
    };
    const QString windowName = window.objectName();
    apply(window, "windowTitle", windowName + QStringLiteral(".Caption"));
    remember(window, "font");
    window.setFont(QFont(QStringLiteral("Tahoma"), 9));
    for (QObject* element : elementsOf(window)) {
        const QString prefix = windowName + u'.' + element->objectName() + u'.';
        for (const QString& name : textPropertyNames())
            if (const QByteArray property = qtPropertyOf(*element, name); !property.isEmpty())
                apply(*element, property, prefix + name);
    }
}

} // namespace i18n
