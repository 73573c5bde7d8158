// SPDX-License-Identifier: GPL-3.0-or-later

#include "voices/VoiceInstaller.h"

#include "engine/neural/NeuralVoices.h"
#include "tests/support/VoiceArchives.h"

#include <gmock/gmock.h>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

using testing::HasSubstr;
using voices::InstallError;
using voices::VoiceInstaller;
using namespace testsupport;

namespace {

class VoiceInstallerTest : public VoicesFolderTest {
protected:
    VoiceInstaller installer{voicesFolder, QStringLiteral(LECTORIX_NEURAL_HELPER)};
};

} // namespace

TEST_F(VoiceInstallerTest, AnArchiveOrAFolderIsInstalledAsAVoiceOfTheList)
{
    EXPECT_EQ(installer.install(archive(QStringLiteral("vits-piper-x.tar.bz2"),
                                        voiceMembers(QStringLiteral("vits-piper-amy"))),
                                {}),
              QStringLiteral("vits-piper-amy"));
    EXPECT_EQ(installer.install(Made + QStringLiteral("/test-duo"), {}),
              QStringLiteral("test-duo"));
    QStringList ids;
    for (const speech::VoiceTokenPtr& voice : engine::listNeuralVoices(voicesFolder))
        ids << voice->Id();
    EXPECT_EQ(ids,
              (QStringList{"neural/test-duo/0", "neural/test-duo/1", "neural/vits-piper-amy/0"}));
    EXPECT_EQ(QDir(voicesFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{"test-duo", "vits-piper-amy"}));
}

TEST_F(VoiceInstallerTest, ABadArchiveLeavesTheVoicesAsTheyWereAndSaysWhy)
{
    installer.install(archive(QStringLiteral("good.tar.bz2"), voiceMembers(QStringLiteral("good"))),
                      {});
    const QStringList before = stateOf(voicesFolder);

    std::vector<Member> escaping = voiceMembers(QStringLiteral("a"));
    escaping.push_back({QStringLiteral("a/../../escaped.txt"), "out"});
    std::vector<Member> absolute = voiceMembers(QStringLiteral("b"));
    absolute.push_back({work.filePath(QStringLiteral("absolute.txt")), "out"});
    std::vector<Member> linked = voiceMembers(QStringLiteral("c"));
    linked.push_back({QStringLiteral("c/passwd"), "/etc/passwd", Member::Link});
    std::vector<Member> huge = voiceMembers(QStringLiteral("d"));
    huge.push_back({QStringLiteral("d/huge.bin"), "x", Member::File, qint64{2} << 30});
    const QString good =
        archive(QStringLiteral("whole.tar.bz2"), voiceMembers(QStringLiteral("e")));
    QFile::resize(good, QFileInfo(good).size() / 2);

    const std::vector<std::pair<QString, const char*>> bad = {
        {archive(QStringLiteral("escaping.tar.bz2"), escaping), "a name outside its own folder"},
        {archive(QStringLiteral("absolute.tar.bz2"), absolute), "a name outside its own folder"},
        {archive(QStringLiteral("linked.tar.bz2"), linked), "neither a file nor a folder"},
        {archive(QStringLiteral("huge.tar.bz2"), huge),
         "more than 1024 MB, more than a voice may take"},
        {good, "truncated"},
        {archive(QStringLiteral("f.tar.bz2"),
                 voiceMembers(QStringLiteral("f"), QStringLiteral("wrong-metadata"))),
         "is not a voice: the model's sample_rate \"fast\" is not usable"},
        {archive(QStringLiteral("g.tar.bz2"),
                 voiceMembers(QStringLiteral("g"), QStringLiteral("ends-library"))),
         "The voice in \"g\" does not load: "},
        {work.filePath(QStringLiteral("missing.tar.bz2")), "does not exist"},
    };
    for (const auto& [path, reason] : bad) {
        try {
            installer.install(path, {});
            ADD_FAILURE() << path.toStdString();
        } catch (const InstallError& error) {
            EXPECT_THAT(error.what(), HasSubstr(reason));
        }
        EXPECT_EQ(stateOf(voicesFolder), before) << path.toStdString();
    }
    EXPECT_FALSE(QFile::exists(work.filePath(QStringLiteral("escaped.txt"))));
    EXPECT_FALSE(QFile::exists(work.filePath(QStringLiteral("absolute.txt"))));
}

TEST_F(VoiceInstallerTest, AnInstalledVoiceIsReplacedOnlyWhenTheUserSaysSo)
{
    std::vector<Member> first = voiceMembers(QStringLiteral("amy"));
    first.push_back({QStringLiteral("amy/first.txt"), "1"});
    installer.install(archive(QStringLiteral("first.tar.bz2"), first), {});
    const QStringList installed = stateOf(voicesFolder);
    const QString second =
        archive(QStringLiteral("second.tar.bz2"), voiceMembers(QStringLiteral("amy")));

    QStringList asked;
    const auto answer = [&](bool replace) {
        return [&asked, replace](const QString& name) {
            asked << name;
            return replace;
        };
    };
    EXPECT_THROW(installer.install(second, answer(false)), InstallError);
    EXPECT_EQ(stateOf(voicesFolder), installed);
    EXPECT_EQ(installer.install(second, answer(true)), QStringLiteral("amy"));
    EXPECT_EQ(asked, (QStringList{"amy", "amy"}));
    EXPECT_FALSE(QFile::exists(voicesFolder + QStringLiteral("/amy/first.txt")));
    EXPECT_TRUE(QFile::exists(voicesFolder + QStringLiteral("/amy/model.onnx")));
    EXPECT_EQ(QDir(voicesFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{"amy"});
}

TEST_F(VoiceInstallerTest, ACancelledInstallationAndARemovedVoiceLeaveNothingBehind)
{
    const QString path =
        archive(QStringLiteral("amy.tar.bz2"), voiceMembers(QStringLiteral("amy")));
    int calls = 0;
    try {
        installer.install(path, {}, [&](qint64 done, qint64 total) {
            EXPECT_LT(done, total);
            return ++calls < 2;
        });
        ADD_FAILURE() << "not cancelled";
    } catch (const InstallError& error) {
        EXPECT_STREQ(error.what(), "The installation was cancelled.");
    }
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(stateOf(voicesFolder).isEmpty());

    installer.install(path, {});
    EXPECT_THROW(installer.remove(QStringLiteral("nobody")), InstallError);
    EXPECT_THROW(installer.remove(QStringLiteral("..")), InstallError);
    installer.remove(QStringLiteral("amy"));
    EXPECT_TRUE(stateOf(voicesFolder).isEmpty());
}
