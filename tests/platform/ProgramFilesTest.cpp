// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ProgramFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using platform::ProgramFiles;

class ProgramFilesTest : public ::testing::Test {
protected:
    QString bin() const { return root.path() + QStringLiteral("/prefix/bin"); }

    QString fromBin(const char* relative) const
    {
        return QDir::cleanPath(bin() + u'/' + QLatin1String(relative));
    }

    void put(const QString& path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    void putBuildTree()
    {
        put(bin() + QStringLiteral("/lectorix-synth"));
        put(bin() + QStringLiteral("/libKey.so"));
        put(bin() + QStringLiteral("/Language/English.ini"));
    }

    void putInstallation()
    {
        put(fromBin(LECTORIX_HELPER_FROM_BIN) + QStringLiteral("/lectorix-synth"));
        put(fromBin(LECTORIX_LIBRARY_FROM_BIN) + QStringLiteral("/libKey.so"));
        put(fromBin(LECTORIX_DATA_FROM_BIN) + QStringLiteral("/Language/English.ini"));
    }

    void expectInstalled(const ProgramFiles& files) const
    {
        EXPECT_EQ(files.helperPath(),
                  fromBin(LECTORIX_HELPER_FROM_BIN) + QStringLiteral("/lectorix-synth"));
        EXPECT_EQ(files.libraryFolder(), fromBin(LECTORIX_LIBRARY_FROM_BIN));
        EXPECT_EQ(files.dataFolder(), fromBin(LECTORIX_DATA_FROM_BIN) + u'/');
    }

    QTemporaryDir root;
};

TEST_F(ProgramFilesTest, FindsEverythingBesideTheProgramInTheBuildTree)
{
    putBuildTree();
    const ProgramFiles files(bin());
    EXPECT_EQ(files.helperPath(), bin() + QStringLiteral("/lectorix-synth"));
    EXPECT_EQ(files.libraryFolder(), bin());
    EXPECT_EQ(files.dataFolder(), bin() + u'/');
}

TEST_F(ProgramFilesTest, FindsTheInstalledLayoutFromTheProgramsFolder)
{
    putInstallation();
    expectInstalled(ProgramFiles(bin()));
}

// An older installation put the helper and the hook library beside the program; installing over
// it does not remove them.
TEST_F(ProgramFilesTest, PrefersTheInstalledLayoutToFilesLeftBesideTheProgram)
{
    putInstallation();
    putBuildTree();
    expectInstalled(ProgramFiles(bin()));
}

} // namespace
