// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/InstallTTS.h"

#include "formats/Registry.h"

#include <initializer_list>
#include <QStringList>

namespace speech {

namespace {

QString tokens()
{
    return QStringLiteral("\\SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens");
}

void writeValues(formats::Registry& registry, const QString& key,
                 std::initializer_list<formats::RegistryValue> values)
{
    if (!registry.OpenKey(key, true))
        return;
    for (const auto& [name, data] : values)
        registry.WriteString(name, data);
}

} // namespace

InstallTTS::InstallTTS(formats::Registry& registry, QString dataFolder, QString windowsDrive)
    : registry_(registry)
    , dataFolder_(std::move(dataFolder))
    , windowsDrive_(std::move(windowsDrive))
{
}

void InstallTTS::RemoveMary()
{
    removeToken(QStringLiteral("Mary"));
}

void InstallTTS::RemoveMike()
{
    removeToken(QStringLiteral("Mike"));
}

void InstallTTS::InstallMike()
{
    installToken(QStringLiteral("Mike"), QStringLiteral("Male"));
}

void InstallTTS::InstallMary()
{
    installToken(QStringLiteral("Mary"), QStringLiteral("Female"));
}

void InstallTTS::installVoices()
{
    removeVoices();
    InstallMike();
    InstallMary();
}

void InstallTTS::removeVoices()
{
    RemoveMary();
    RemoveMike();
}

QString InstallTTS::phoneMap()
{
    static const QStringList symbols = {
        QStringLiteral("AA"), QStringLiteral("AE"), QStringLiteral("AH"), QStringLiteral("AO"),
        QStringLiteral("AW"), QStringLiteral("AX"), QStringLiteral("AY"), QStringLiteral("B"),
        QStringLiteral("CH"), QStringLiteral("D"),  QStringLiteral("DH"), QStringLiteral("EH"),
        QStringLiteral("ER"), QStringLiteral("EY"), QStringLiteral("F"),  QStringLiteral("G"),
        QStringLiteral("H"),  QStringLiteral("IH"), QStringLiteral("IY"), QStringLiteral("JH"),
        QStringLiteral("K"),  QStringLiteral("L"),  QStringLiteral("M"),  QStringLiteral("N"),
        QStringLiteral("NG"), QStringLiteral("OW"), QStringLiteral("OY"), QStringLiteral("P"),
        QStringLiteral("R"),  QStringLiteral("S"),  QStringLiteral("SH"), QStringLiteral("T"),
        QStringLiteral("TH"), QStringLiteral("UH"), QStringLiteral("UW"), QStringLiteral("V"),
        QStringLiteral("W"),  QStringLiteral("Y"),  QStringLiteral("Z"),  QStringLiteral("ZH")};
    static const QStringList vowels = {
        QStringLiteral("AA"), QStringLiteral("AE"), QStringLiteral("AH"), QStringLiteral("AO"),
        QStringLiteral("AW"), QStringLiteral("AX"), QStringLiteral("AY"), QStringLiteral("EH"),
        QStringLiteral("ER"), QStringLiteral("EY"), QStringLiteral("IH"), QStringLiteral("IY"),
        QStringLiteral("OW"), QStringLiteral("OY"), QStringLiteral("UH"), QStringLiteral("UW")};
    QStringList items;
    for (qsizetype i = 0; i < symbols.size(); ++i) {
        const QString& symbol = symbols[i];
        const QString code = QStringLiteral("%1").arg(0x0a + i, 4, 16, QChar(u'0'));
        items << symbol + u' ' + code;
        if (vowels.contains(symbol))
            items << symbol + QLatin1String("1 ") + code + QLatin1String("0008")
                  << symbol + QLatin1String("2 ") + code + QLatin1String("0009");
    }
    // The voices' own map has two blanks there.
    return items.join(u' ').replace(QLatin1String(" IH1 "), QLatin1String("  IH1 "));
}

void InstallTTS::removeToken(const QString& voice)
{
    if (!registry_.OpenKey(tokens() + u'\\', true))
        return;
    registry_.DeleteKey(QStringLiteral("MS") + voice);
    registry_.CloseKey();
}

// The token key is made as "MS<voice>" and written to as "Ms<voice>", one key either way.
void InstallTTS::installToken(const QString& voice, const QString& gender)
{
    const QString name = QStringLiteral("Microsoft ") + voice;
    const QString made = tokens() + QStringLiteral("\\MS") + voice;
    const QString key = tokens() + QStringLiteral("\\Ms") + voice;
    const QString data = dataFolder_ + QStringLiteral("TTS\\") + voice.toLower();
    const QString lexicon =
        windowsDrive_ +
        QStringLiteral("\\Program Files\\Common Files\\SpeechEngines\\Microsoft\\Lexicon\\1033\\");
    if (registry_.OpenKey(tokens(), false))
        registry_.CreateKey(QStringLiteral("MS") + voice);
    if (registry_.OpenKey(made, false)) {
        registry_.CreateKey(QStringLiteral("Attributes"));
        registry_.CreateKey(QStringLiteral("Lex"));
        registry_.CreateKey(QStringLiteral("LTS"));
    }
    writeValues(
        registry_, key,
        {{{}, name},
         {QStringLiteral("409"), name},
         {QStringLiteral("CLSID"), QStringLiteral("{65DBDDEF-0725-11D3-B50C-00C04F797396}")},
         {QStringLiteral("VoiceData"), data + QLatin1String(".spd")},
         {QStringLiteral("VoiceDef"), data + QLatin1String(".sdf")}});
    writeValues(registry_, key + QStringLiteral("\\Attributes"),
                {{{}, {}},
                 {QStringLiteral("Age"), QStringLiteral("Adult")},
                 {QStringLiteral("Gender"), gender},
                 {QStringLiteral("Language"), QStringLiteral("409;9")},
                 {QStringLiteral("Name"), name},
                 {QStringLiteral("Vender"), QStringLiteral("Microsoft")},
                 {QStringLiteral("VendorPreferred"), {}}});
    writeValues(
        registry_, key + QStringLiteral("\\Lex"),
        {{{}, {}},
         {QStringLiteral("CLSID"), QStringLiteral("{90903716-2F42-11D3-9C26-00C04F8EF87C}")},
         {QStringLiteral("DataFile"), lexicon + QLatin1String("LTTS1033.LXA")}});
    if (registry_.OpenKey(made + QStringLiteral("\\LTS"), false))
        registry_.CreateKey(QStringLiteral("PhoneConverter"));
    writeValues(
        registry_, key + QStringLiteral("\\LTS"),
        {{{}, {}},
         {QStringLiteral("CLSID"), QStringLiteral("{685879BA-3263-11D3-9C26-00C04F8EF87C}")},
         {QStringLiteral("DataFile"), lexicon + QLatin1String("r1033tts.LXA")}});
    writeValues(
        registry_, key + QStringLiteral("\\LTS\\PhoneConverter"),
        {{{}, QStringLiteral("Microsoft English LTS Phone Converter")},
         {QStringLiteral("CLSID"), QStringLiteral("{9185F743-1143-4C28-86B5-BFF14F20E5C8}")},
         {QStringLiteral("PhoneMap"), phoneMap()}});
    registry_.CloseKey();
}

} // namespace speech
