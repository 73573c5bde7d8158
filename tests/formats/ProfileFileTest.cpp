// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/ProfileFile.h"

#include "tests/support/FileSizeLimit.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

using formats::ProfileFile;

namespace {

struct Profile {
    explicit Profile(const QByteArray& contents = {})
    {
        if (contents.isNull())
            return;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }

    QByteArray bytes() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString read(const char* section, const char* key) const
    {
        return profile.readString(QLatin1String(section), QLatin1String(key),
                                  QStringLiteral("<default>"));
    }

    QTemporaryDir folder;
    QString path = folder.filePath(QStringLiteral("set.ini"));
    ProfileFile profile{path};
};

} // namespace

TEST(ProfileFile, FindsSectionsAndKeysAsWindowsDoes)
{
    const Profile p(
        "; a comment=1\r\n[Set]\r\n  Rate  =  0x0A  \r\nrate=3\r\n;Volume=9\r\n"
        "Font = \"Tahoma\", 8, [] \r\nQuoted='single'\r\nOdd=\"half\r\nNote=a;b\r\nBare\r\n"
        "[other]\r\nVolume=1\r\n[SET]\r\nColor=5\r\n");
    EXPECT_EQ(p.read("set", "RATE"), QStringLiteral("0x0A"));
    EXPECT_EQ(p.read("set", "Volume"), QStringLiteral("<default>"));
    EXPECT_EQ(p.read("set", "font"), QStringLiteral("\"Tahoma\", 8, []"));
    EXPECT_EQ(p.read("set", "Quoted"), QStringLiteral("single"));
    EXPECT_EQ(p.read("set", "Odd"), QStringLiteral("\"half"));
    EXPECT_EQ(p.read("set", "Note"), QStringLiteral("a;b"));
    EXPECT_EQ(p.read("set", "Bare"), QString());
    EXPECT_EQ(p.read("other", "volume"), QStringLiteral("1"));
    EXPECT_EQ(p.read("set", "Color"), QStringLiteral("<default>")) << "only the first [set] counts";
    EXPECT_EQ(p.read("missing", "Rate"), QStringLiteral("<default>"));
}

TEST(ProfileFile, ReadsAnyLineEndsAndUtf16)
{
    const Profile mixed("[a]\rx=1\ny=2\r\nz=3");
    EXPECT_EQ(mixed.read("a", "x"), QStringLiteral("1"));
    EXPECT_EQ(mixed.read("a", "y"), QStringLiteral("2"));
    EXPECT_EQ(mixed.read("a", "z"), QStringLiteral("3"));

    const QString text = QStringLiteral("[set]\r\nFont=\"宋体\", 9, []\r\n");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const Profile wide(utf16);
    EXPECT_EQ(wide.read("set", "Font"), QStringLiteral("\"宋体\", 9, []"));

    const Profile unclosed("[set\r\nRate=4\r\n");
    EXPECT_EQ(unclosed.read("set", "Rate"), QStringLiteral("<default>"));
}

TEST(ProfileFile, WritesUpdateInPlaceOrAppendToTheirSection)
{
    Profile p;
    p.profile.writeString(QStringLiteral("set"), QStringLiteral("Rate"), QStringLiteral("0"));
    p.profile.writeString(QStringLiteral("set"), QStringLiteral("Volume"), QStringLiteral("80"));
    EXPECT_EQ(p.bytes(), "[set]\r\nRate=0\r\nVolume=80\r\n");

    Profile q("[SET]\nrate = 1 \n\n\n[next]\nk=v\n");
    q.profile.writeString(QStringLiteral("set"), QStringLiteral("Rate"), QStringLiteral("5"));
    q.profile.writeString(QStringLiteral("set"), QStringLiteral("Engine"), QStringLiteral("2"));
    q.profile.writeString(QStringLiteral("new"), QStringLiteral("a"), QStringLiteral(" b "));
    EXPECT_EQ(q.bytes(),
              "[SET]\r\nrate=5\r\nEngine=2\r\n\r\n\r\n[next]\r\nk=v\r\n\r\n[new]\r\na=b\r\n");
}

TEST(ProfileFile, LongValuesAreCutAndBadFilesDoNotHurt)
{
    Profile p;
    p.profile.writeString(QStringLiteral("set"), QStringLiteral("Font"), QString(5000, u'x'));
    EXPECT_EQ(p.read("set", "Font").size(), ProfileFile::MaxValueLength);

    QByteArray garbage(1 << 20, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((qint64{i} * 7919) % 251);
    const Profile binary(garbage);
    EXPECT_EQ(binary.read("set", "Rate"), QStringLiteral("<default>"));
    const Profile hugeKey("[set]\r\n" + QByteArray(100 * 1024, 'k') + "=1\r\nRate=2\r\n");
    EXPECT_EQ(hugeKey.read("set", "Rate"), QStringLiteral("2"));
    const Profile oddUtf16(QByteArray("\xFF\xFE[\0s\0e\0t\0]\0\n", 13));
    EXPECT_EQ(oddUtf16.read("set", "Rate"), QStringLiteral("<default>"));
}

TEST(ProfileFile, AFileThatCannotBeWrittenSaysWhich)
{
    ProfileFile profile(QStringLiteral("/nonexistent-folder/set.ini"));
    try {
        profile.writeString(QStringLiteral("set"), QStringLiteral("Rate"), QStringLiteral("0"));
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Unable to write to /nonexistent-folder/set.ini");
    }
}

TEST(ProfileFile, WritesKeepBytesThatAreNotUtf8AndRefuseWhatWasNotReadWhole)
{
    Profile gbk("[set]\r\nFont=\"\xCB\xCE\xCC\xE5\", 9, []\r\n");
    gbk.profile.writeString(QStringLiteral("set"), QStringLiteral("Rate"), QStringLiteral("1"));
    EXPECT_EQ(gbk.bytes(), "[set]\r\nFont=\"\xCB\xCE\xCC\xE5\", 9, []\r\nRate=1\r\n");

    Profile huge("[set]\r\n" + QByteArray(2 << 20, 'x') + "\r\nlast=1\r\n");
    EXPECT_THROW(huge.profile.writeString(QStringLiteral("set"), QStringLiteral("Rate"),
                                          QStringLiteral("1")),
                 std::runtime_error);
    EXPECT_TRUE(huge.bytes().endsWith("last=1\r\n"));
}

TEST(ProfileFile, AValueWrittenReadsBackUnchangedBesideBytesThatAreNotUtf8)
{
    const QByteArray gbk = "[set]\r\nNote=\xCB\xCE\xCC\xE5\r\nFont=x\r\n";
    Profile p(gbk);
    p.profile.writeString(QStringLiteral("set"), QStringLiteral("Note"), p.read("set", "Note"));
    EXPECT_EQ(p.bytes(), gbk) << "a value read one character a byte goes back as it came";

    const QString font = QStringLiteral("\"宋体\", 9, []");
    p.profile.writeString(QStringLiteral("set"), QStringLiteral("Font"), font);
    EXPECT_EQ(p.read("set", "Font"), font);
    EXPECT_EQ(p.bytes(), "[set]\r\nNote=\xCB\xCE\xCC\xE5\r\nFont=" + font.toUtf8() + "\r\n");
}

TEST(ProfileFile, AWriteThatCannotCompleteLeavesTheOldFileAsItWas)
{
    const QByteArray old = "[set]\r\nRate=3\r\n" + QByteArray(200, ';') + "\r\n";
    Profile p(old);
    {
        const testsupport::FileSizeLimit full(old.size());
        EXPECT_THROW(p.profile.writeString(QStringLiteral("set"), QStringLiteral("Volume"),
                                           QStringLiteral("80")),
                     std::runtime_error);
    }
    EXPECT_EQ(p.bytes(), old);
    EXPECT_EQ(QDir(p.folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("set.ini")})
        << "no temporary file is left behind";
}

TEST(ProfileFile, AFileThatCannotBeReadIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const QByteArray old = "[set]\r\nRate=3\r\n";
    Profile unreadable(old);
    QFile::setPermissions(unreadable.path, QFile::WriteOwner);
    EXPECT_THROW(unreadable.profile.writeString(QStringLiteral("set"), QStringLiteral("Volume"),
                                                QStringLiteral("80")),
                 std::runtime_error);
    QFile::setPermissions(unreadable.path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(unreadable.bytes(), old);
}

TEST(ProfileFile, APipeInTheFilesPlaceIsNeitherWaitedForNorReplaced)
{
    Profile p(QByteArray{});
    ASSERT_EQ(mkfifo(QFile::encodeName(p.path).constData(), 0600), 0);
    EXPECT_EQ(p.read("set", "Rate"), QStringLiteral("<default>"));
    EXPECT_THROW(
        p.profile.writeString(QStringLiteral("set"), QStringLiteral("Rate"), QStringLiteral("2")),
        std::runtime_error);
    EXPECT_FALSE(QFileInfo(p.path).isFile()) << "the pipe is still there";
}

TEST(ProfileFile, NothingIsWrittenThatCouldNotBeReadBack)
{
    const qsizetype nearLimit = (1 << 20) - 100;
    QByteArray lines = "[set]\nRate=1\n";
    while (lines.size() < nearLimit)
        lines += "x\n";
    Profile p(lines);
    EXPECT_THROW(
        p.profile.writeString(QStringLiteral("set"), QStringLiteral("Rate"), QStringLiteral("2")),
        std::runtime_error);
    EXPECT_EQ(p.bytes(), lines);
    EXPECT_EQ(p.read("set", "Rate"), QStringLiteral("1"));
}
