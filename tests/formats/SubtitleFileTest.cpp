// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/SubtitleFile.h"

#include "formats/Playlist.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TemporaryFiles.h"

#include <gtest/gtest.h>

using formats::SubtitleFormat;
using testsupport::contentsOf;

namespace {

const std::vector<formats::SubtitleCue> Cues = {
    {0.0004, 1.2346, QStringLiteral("Hello,  <b>world</b> & --> all.")},
    {3725.5, 3726.996, QStringLiteral("一小时后。")}};

} // namespace

// Each format as its players read it: the hour past, markup and arrows kept out of WebVTT, and
// lyrics' minutes running past sixty.
TEST(SubtitleFile, EachFormatWritesItsTimesAndText)
{
    EXPECT_EQ(formats::subtitleText(SubtitleFormat::Srt, Cues),
              QStringLiteral("1\n00:00:00,000 --> 00:00:01,235\nHello, <b>world</b> & --> all.\n\n"
                             "2\n01:02:05,500 --> 01:02:06,996\n一小时后。\n\n")
                  .toUtf8());
    EXPECT_EQ(formats::subtitleText(SubtitleFormat::Vtt, Cues),
              QStringLiteral("WEBVTT\n\n00:00:00.000 --> 00:00:01.235\n"
                             "Hello, &lt;b&gt;world&lt;/b&gt; &amp; --&gt; all.\n\n"
                             "01:02:05.500 --> 01:02:06.996\n一小时后。\n\n")
                  .toUtf8());
    EXPECT_EQ(formats::subtitleText(SubtitleFormat::Lrc, Cues),
              QStringLiteral("[00:00.00]Hello, <b>world</b> & --> all.\n[62:05.50]一小时后。\n"
                             "[62:07.00]\n")
                  .toUtf8());
    EXPECT_EQ(formats::subtitleFormatNamed(QStringLiteral("VTT")), SubtitleFormat::Vtt);
    EXPECT_FALSE(formats::subtitleFormatNamed(QStringLiteral("ass")));
}

// Beside the sound under its name; a full disk keeps the old file and says why.
TEST(SubtitleFile, IsWrittenBesideTheSoundWholeOrNotAtAll)
{
    testsupport::TemporaryFiles files;
    const QString sound = files.folder.filePath(QStringLiteral("book.part.mp3"));
    EXPECT_FALSE(formats::writeSubtitlesBeside(sound, SubtitleFormat::Lrc, Cues));
    const QString written = files.folder.filePath(QStringLiteral("book.part.lrc"));
    EXPECT_EQ(contentsOf(written), formats::subtitleText(SubtitleFormat::Lrc, Cues));

    const std::vector<formats::SubtitleCue> many(2000, Cues.front());
    const testsupport::FileSizeLimit limit(200);
    const auto failure = formats::writeSubtitlesBeside(sound, SubtitleFormat::Lrc, many);
    ASSERT_TRUE(failure);
    EXPECT_TRUE(failure->startsWith(QStringLiteral("Cannot write \"") + written));
    EXPECT_EQ(contentsOf(written), formats::subtitleText(SubtitleFormat::Lrc, Cues));
}

TEST(SubtitleFile, APlaylistListsEachFileWithItsLengthAndTitle)
{
    testsupport::TemporaryFiles files;
    const QString path = files.folder.filePath(QStringLiteral("Keeper.m3u"));
    EXPECT_FALSE(formats::writePlaylist(
        path, {{QStringLiteral("01 - Dusk.mp3"), QStringLiteral("Dusk"), 61.2},
               {QStringLiteral("02 - 第二章.mp3"), QStringLiteral("第二章\n"), 3}}));
    EXPECT_EQ(contentsOf(path), QStringLiteral("#EXTM3U\n#EXTINF:62,Dusk\n01 - Dusk.mp3\n"
                                               "#EXTINF:3,第二章\n02 - 第二章.mp3\n")
                                    .toUtf8());
}
