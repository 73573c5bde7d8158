// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SettingsFile.h"

#include "app/IntegerText.h"

namespace {

const QString Section = QStringLiteral("set");

QString yesNo(bool value)
{
    return value ? QStringLiteral("Yes") : QStringLiteral("No");
}

} // namespace

SettingsFile::SettingsFile(const QString& path)
    : profile_(path)
{
}

StoredSettings SettingsFile::read(int wordWrap) const
{
    const StoredSettings defaults;
    StoredSettings settings;
    settings.engine = readInteger("Engine", defaults.engine);
    settings.speakKey = readText("Speakkey", defaults.speakKey);
    settings.showKeyWord = readText("ShowkeyWord", defaults.showKeyWord);
    settings.showClipBrdText = readText("ShowClipBrdText", defaults.showClipBrdText);
    settings.speakClipBrd = readText("SpeakClipBrd", defaults.speakClipBrd);
    settings.rate = readInteger("Rate", defaults.rate);
    settings.volume = readInteger("Volume", defaults.volume);
    settings.font = readText("Font", defaults.font);
    settings.color = readInteger("Color", defaults.color);
    settings.wordWrap = readInteger("WordWrap", wordWrap);
    settings.toolBar = readBoolean("ToolBar", defaults.toolBar);
    settings.addressBar = readBoolean("AddressBar", defaults.addressBar);
    settings.progressBar = readBoolean("ProgressBar", defaults.progressBar);
    settings.propertyBar = readBoolean("PropertyBar", defaults.propertyBar);
    settings.language = readText("Language", defaults.language);
    const QHash<QString, QString> keys = profile_.readSection(Section);
    const auto readSelectionKey = keys.constFind(QStringLiteral("readselectionkey"));
    if (readSelectionKey != keys.constEnd())
        settings.readSelectionKey = *readSelectionKey;
    return settings;
}

QString SettingsFile::readText(const char* key, const QString& defaultValue) const
{
    return profile_.readString(Section, QLatin1String(key), defaultValue);
}

// "0x" and more is hexadecimal; anything else is read as a whole number as the font text reads
// one, and what does not convert gives the default.
int SettingsFile::readInteger(const char* key, int defaultValue) const
{
    const QString text = readText(key, QString());
    if (text.size() > 2 && text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive))
        return integerFromText(u'$' + text.mid(2)).value_or(defaultValue);
    return integerFromText(text).value_or(defaultValue);
}

bool SettingsFile::readBoolean(const char* key, bool defaultValue) const
{
    return readInteger(key, defaultValue ? 1 : 0) != 0;
}

void SettingsFile::write(const SettingsAtExit& settings)
{
    writeInteger("Rate", settings.rate);
    writeInteger("Volume", settings.volume);
    writeInteger("Color", settings.color);
    writeText("Font", settings.font);
    writeInteger("WordWrap", settings.wordWrap);
    writeBoolean("ToolBar", settings.toolBar);
    writeBoolean("AddressBar", settings.addressBar);
    writeBoolean("ProgressBar", settings.progressBar);
    writeBoolean("PropertyBar", settings.propertyBar);
    if (settings.speakKeyAll)
        writeText("SpeakKey", QStringLiteral("All"));
    if (settings.speakLetterDigit)
        writeText("Speakkey", QStringLiteral("LetterDigit"));
    if (settings.speakLetter)
        writeText("SpeakKey", QStringLiteral("Letter"));
    if (settings.speakDigit)
        writeText("SpeakKey", QStringLiteral("Digit"));
    if (!settings.speakKeyAll && !settings.speakLetterDigit && !settings.speakLetter &&
        !settings.speakDigit)
        writeText("SpeakKey", QStringLiteral("None"));
    writeText("ShowKeyWord", yesNo(settings.showKeyWord));
    writeText("SpeakClipBrd", yesNo(settings.speakClipBrd));
    writeText("ShowClipBrdText", yesNo(settings.showClipBrdText));
    if (settings.engine >= 0)
        writeInteger("Engine", settings.engine);
    // Files of users who never chose a language stay as they were.
    if (!settings.language.isEmpty())
        writeText("Language", settings.language);
    if (settings.readSelectionKey)
        writeText("ReadSelectionKey", *settings.readSelectionKey);
}

void SettingsFile::writeText(const char* key, const QString& value)
{
    profile_.writeString(Section, QLatin1String(key), value);
}

void SettingsFile::writeInteger(const char* key, int value)
{
    writeText(key, QString::number(value));
}

void SettingsFile::writeBoolean(const char* key, bool value)
{
    writeText(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
