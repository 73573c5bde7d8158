// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/InstallTTS.h"

#include "formats/Registry.h"
#include "tests/support/TemporaryFiles.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>

using formats::Registry;
using formats::RegistryValue;
using speech::InstallTTS;

namespace {

const QString Tokens = QStringLiteral("\\SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens");
const QString Lexicon =
    QStringLiteral("C:\\Program Files\\Common Files\\SpeechEngines\\Microsoft\\Lexicon\\1033\\");

RegistryValue value(const char* name, const QString& data = {})
{
    return {QLatin1String(name), data};
}

struct Installer {
    QByteArray bytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QList<RegistryValue> values(const QString& key) const { return registry.Values(Tokens + key); }

    testsupport::TemporaryFiles files;
    QString path = files.folder.filePath(QStringLiteral("registry.dat"));
    Registry registry{path};
    InstallTTS install{registry, QStringLiteral("/usr/bin/"), QStringLiteral("C:")};
};

} // namespace

TEST(InstallTTS, ThePhoneMapPairsEachSymbolWithItsCode)
{
    const QString map = InstallTTS::phoneMap();
    EXPECT_EQ(map.size(), 719);
    EXPECT_EQ(map.split(u' ', Qt::SkipEmptyParts).size(), 2 * 72);
    EXPECT_TRUE(map.startsWith(QStringLiteral("AA 000a AA1 000a0008 AA2 000a0009 AE 000b")));
    EXPECT_TRUE(map.endsWith(QStringLiteral("Y 002f Z 0030 ZH 0031")));
    EXPECT_TRUE(map.contains(QStringLiteral(" H 001a IH 001b  IH1 001b0008 IH2 001b0009 IY 001c")));
    EXPECT_EQ(map.count(QStringLiteral("  ")), 1);
}

TEST(InstallTTS, WritesMikesTokenThenMarysWithEveryValueInOrder)
{
    Installer i;
    i.install.installVoices();
    EXPECT_EQ(i.registry.KeyNames(Tokens),
              (QStringList{QStringLiteral("MSMike"), QStringLiteral("MSMary")}));
    EXPECT_EQ(
        i.registry.KeyNames(Tokens + QStringLiteral("\\MsMary")),
        (QStringList{QStringLiteral("Attributes"), QStringLiteral("Lex"), QStringLiteral("LTS")}));
    EXPECT_EQ(i.registry.KeyNames(Tokens + QStringLiteral("\\MsMary\\LTS")),
              QStringList{QStringLiteral("PhoneConverter")});

    const QString mary = QStringLiteral("Microsoft Mary");
    EXPECT_EQ(i.values(QStringLiteral("\\MSMARY")),
              (QList<RegistryValue>{
                  value("", mary), value("409", mary),
                  value("CLSID", QStringLiteral("{65DBDDEF-0725-11D3-B50C-00C04F797396}")),
                  value("VoiceData", QStringLiteral("/usr/bin/TTS\\mary.spd")),
                  value("VoiceDef", QStringLiteral("/usr/bin/TTS\\mary.sdf"))}));
    EXPECT_EQ(i.values(QStringLiteral("\\MsMary\\Attributes")),
              (QList<RegistryValue>{value(""), value("Age", QStringLiteral("Adult")),
                                    value("Gender", QStringLiteral("Female")),
                                    value("Language", QStringLiteral("409;9")), value("Name", mary),
                                    value("Vender", QStringLiteral("Microsoft")),
                                    value("VendorPreferred")}));
    EXPECT_EQ(
        i.values(QStringLiteral("\\MsMary\\Lex")),
        (QList<RegistryValue>{
            value(""), value("CLSID", QStringLiteral("{90903716-2F42-11D3-9C26-00C04F8EF87C}")),
            value("DataFile", Lexicon + QStringLiteral("LTTS1033.LXA"))}));
    EXPECT_EQ(
        i.values(QStringLiteral("\\MsMary\\LTS")),
        (QList<RegistryValue>{
            value(""), value("CLSID", QStringLiteral("{685879BA-3263-11D3-9C26-00C04F8EF87C}")),
            value("DataFile", Lexicon + QStringLiteral("r1033tts.LXA"))}));
    EXPECT_EQ(i.values(QStringLiteral("\\MsMary\\LTS\\PhoneConverter")),
              (QList<RegistryValue>{
                  value("", QStringLiteral("Microsoft English LTS Phone Converter")),
                  value("CLSID", QStringLiteral("{9185F743-1143-4C28-86B5-BFF14F20E5C8}")),
                  value("PhoneMap", InstallTTS::phoneMap())}));

    const auto asMike = [](QList<RegistryValue> values) {
        for (RegistryValue& v : values)
            v.data.replace(QStringLiteral("Mary"), QStringLiteral("Mike"))
                .replace(QStringLiteral("mary"), QStringLiteral("mike"))
                .replace(QStringLiteral("Female"), QStringLiteral("Male"));
        return values;
    };
    for (const char* key : {"", "\\Attributes", "\\Lex", "\\LTS", "\\LTS\\PhoneConverter"})
        EXPECT_EQ(i.values(QStringLiteral("\\MsMike") + QLatin1String(key)),
                  asMike(i.values(QStringLiteral("\\MsMary") + QLatin1String(key))))
            << key;
}

TEST(InstallTTS, InstallingAgainChangesNothingAndRemovingLeavesOtherVoices)
{
    Installer i;
    ASSERT_TRUE(i.registry.OpenKey(Tokens + QStringLiteral("\\Other"), true));
    i.install.installVoices();
    const QByteArray once = i.bytes();
    i.install.installVoices();
    EXPECT_EQ(i.bytes(), once);

    i.install.removeVoices();
    EXPECT_EQ(i.registry.KeyNames(Tokens), QStringList{QStringLiteral("Other")});
    i.install.removeVoices();
    EXPECT_EQ(i.registry.KeyNames(Tokens), QStringList{QStringLiteral("Other")});
}

TEST(InstallTTS, ARegistryThatCannotBeWrittenIsLeftAsItWas)
{
    testsupport::TemporaryFiles files;
    const QString path = files.write(QStringLiteral("file.txt"), "x") + QStringLiteral("/r.dat");
    Registry registry(path);
    InstallTTS install(registry, QStringLiteral("/usr/bin/"), QString());
    EXPECT_NO_THROW(install.installVoices());
    EXPECT_NO_THROW(install.removeVoices());
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(registry.KeyExists(Tokens));
}
