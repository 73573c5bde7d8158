// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/ReadingPositions.h"

#include "tests/support/FileSizeLimit.h"
#include "tests/support/TemporaryFiles.h"

#include <gtest/gtest.h>
#include <QFile>

using namespace formats;
using testsupport::contentsOf;

namespace {

const FileStamp Stamp{1234, QDateTime(QDate(2026, 12, 1), QTime(9, 30, 15, 250), Qt::UTC)};

} // namespace

TEST(ReadingPositions, TheLastTwoHundredDocumentsAreKeptNewestFirst)
{
    testsupport::TemporaryFiles files;
    const QString store = files.folder.filePath(QStringLiteral("positions.json"));
    ReadingPositions positions([&] { return store; });
    for (int i = 0; i <= 200; ++i)
        positions.remember(QStringLiteral("/books/%1.epub").arg(i), Stamp, i * 10);
    positions.remember(QStringLiteral("/books/7.epub"), Stamp, 75);
    EXPECT_EQ(positions.save(), std::nullopt);

    ReadingPositions read([&] { return store; });
    EXPECT_EQ(read.positionIn(QStringLiteral("/books/0.epub"), Stamp), std::nullopt);
    EXPECT_EQ(read.positionIn(QStringLiteral("/books/1.epub"), Stamp), 10);
    EXPECT_EQ(read.positionIn(QStringLiteral("/books/7.epub"), Stamp), 75);
    EXPECT_EQ(read.positionIn(QStringLiteral("/books/200.epub"), Stamp), 2000);
    EXPECT_TRUE(contentsOf(store).contains(R"("modified": "2026-12-01T09:30:15.250Z")"));
    EXPECT_LT(contentsOf(store).indexOf("7.epub"), contentsOf(store).indexOf("200.epub"));
}

TEST(ReadingPositions, AChangedFileIsForgottenAndAFullDiskKeepsTheOldFile)
{
    testsupport::TemporaryFiles files;
    const QString store = files.write(QStringLiteral("positions.json"), "not JSON");
    ReadingPositions positions([&] { return store; });
    EXPECT_EQ(positions.positionIn(QStringLiteral("/a.txt"), Stamp), std::nullopt);
    positions.remember(QStringLiteral("/a.txt"), Stamp, 42);
    positions.remember(QStringLiteral("/b.txt"), Stamp, 7);
    FileStamp changed = Stamp;
    changed.modified = changed.modified.addMSecs(1);
    EXPECT_EQ(positions.positionIn(QStringLiteral("/a.txt"), changed), std::nullopt);
    EXPECT_EQ(positions.positionIn(QStringLiteral("/a.txt"), Stamp), std::nullopt);
    EXPECT_EQ(positions.save(), std::nullopt) << "a file that does not parse is replaced";
    const QByteArray saved = contentsOf(store);
    EXPECT_FALSE(saved.contains("a.txt"));

    for (int i = 0; i < 100; ++i)
        positions.remember(QStringLiteral("/long/path/to/book%1.epub").arg(i), Stamp, i);
    {
        const testsupport::FileSizeLimit fullDisk(saved.size() + 100);
        EXPECT_NE(positions.save(), std::nullopt);
    }
    EXPECT_EQ(contentsOf(store), saved);
}
