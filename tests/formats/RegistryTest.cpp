// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/Registry.h"

#include "tests/support/TemporaryFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using formats::Registry;
using formats::RegistryValue;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Store {
    testsupport::TemporaryFiles files;
    QString path = files.folder.filePath(QStringLiteral("registry.dat"));
    Registry registry{path};
};

} // namespace

TEST(Registry, MatchesKeysAndValueNamesWithoutRegardToCaseAcrossAReload)
{
    Store s;
    ASSERT_TRUE(s.registry.OpenKey(QStringLiteral("\\Software\\Ärger\\"), true));
    s.registry.WriteString(QStringLiteral("Name"), QStringLiteral("a"));
    s.registry.WriteString(QString(), QStringLiteral("line\nbreak \"=\\ ]"));
    s.registry.WriteString(QStringLiteral("NAME"), QStringLiteral("b"));
    ASSERT_TRUE(s.registry.CreateKey(QStringLiteral("Sub\\Deeper")));
    s.registry.CloseKey();
    EXPECT_TRUE(s.registry.OpenKey(QStringLiteral("\\SOFTWARE\\ärger"), false));
    EXPECT_TRUE(s.registry.OpenKey(QStringLiteral("SUB"), false)) << "relative to the open key";

    const Registry reloaded(s.path);
    EXPECT_EQ(reloaded.KeyNames(QStringLiteral("\\")), QStringList{QStringLiteral("Software")});
    EXPECT_EQ(reloaded.KeyNames(QStringLiteral("\\software\\ÄRGER\\sub")),
              QStringList{QStringLiteral("Deeper")});
    EXPECT_EQ(reloaded.Values(QStringLiteral("\\SOFTWARE\\ÄRGER")),
              (QList<RegistryValue>{{QStringLiteral("Name"), QStringLiteral("b")},
                                    {QString(), QStringLiteral("line\nbreak \"=\\ ]")}}));
    EXPECT_EQ(reloaded.ReadString(QStringLiteral("\\software\\ärger"), QStringLiteral("name")),
              QStringLiteral("b"));
    EXPECT_EQ(reloaded.ReadString(QStringLiteral("\\software\\ärger"), QStringLiteral("x")),
              std::nullopt);
}

TEST(Registry, OpensMissingKeysOnlyToCreateThemAndDeletesWholeTrees)
{
    Store s;
    EXPECT_FALSE(s.registry.OpenKey(QStringLiteral("\\A"), false));
    EXPECT_FALSE(QFileInfo::exists(s.path));
    ASSERT_TRUE(s.registry.OpenKey(QStringLiteral("\\A\\B\\C"), true));
    s.registry.WriteString(QStringLiteral("v"), QStringLiteral("1"));
    ASSERT_TRUE(s.registry.OpenKey(QStringLiteral("\\A\\D"), true));
    ASSERT_TRUE(s.registry.OpenKey(QStringLiteral("\\a"), false));
    EXPECT_TRUE(s.registry.DeleteKey(QStringLiteral("b")));
    EXPECT_FALSE(s.registry.KeyExists(QStringLiteral("\\A\\B\\C")));
    EXPECT_FALSE(s.registry.KeyExists(QStringLiteral("\\A\\B")));
    EXPECT_EQ(s.registry.KeyNames(QStringLiteral("\\A")), QStringList{QStringLiteral("D")});

    const QByteArray before = bytesOf(s.path);
    EXPECT_FALSE(s.registry.DeleteKey(QStringLiteral("B")));
    EXPECT_FALSE(s.registry.DeleteKey(QStringLiteral("\\X\\Y")));
    EXPECT_EQ(bytesOf(s.path), before);
}

TEST(Registry, AStoreThatCannotBeWrittenOrReadOpensNothing)
{
    testsupport::TemporaryFiles files;
    Registry underFile(files.write(QStringLiteral("file.txt"), "x") + QStringLiteral("/r.dat"));
    EXPECT_FALSE(underFile.OpenKey(QStringLiteral("\\A"), true));
    EXPECT_FALSE(underFile.KeyExists(QStringLiteral("\\A")));

    const QString folder = files.folder.filePath(QStringLiteral("folder"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(Registry(folder).OpenKey(QStringLiteral("\\A"), true));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    // The folder goes away once the key is open: writes throw.
    Registry gone(folder + QStringLiteral("/r.dat"));
    ASSERT_TRUE(gone.OpenKey(QStringLiteral("\\A"), true));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    files.write(QStringLiteral("folder"), "x");
    EXPECT_THROW(gone.WriteString(QStringLiteral("v"), QStringLiteral("1")), std::runtime_error);
    EXPECT_THROW(gone.CreateKey(QStringLiteral("B")), std::runtime_error);

    const QString unparsedFile = files.write(QStringLiteral("r.dat"), "[\\A]\nv=1\n");
    Registry unparsed(unparsedFile);
    EXPECT_FALSE(unparsed.KeyExists(QStringLiteral("\\A")));
    EXPECT_FALSE(unparsed.OpenKey(QStringLiteral("\\A"), true));
    QFile kept(unparsedFile);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "[\\A]\nv=1\n");
}
