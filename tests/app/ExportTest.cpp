// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"
#include "tests/app/FakeServices.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/TemporaryFiles.h"

#include <gmock/gmock.h>
#include <QRegularExpression>
#include <QTextEdit>

using testing::ElementsAre;

namespace {

struct Window : testsupport::FakeServices {
    explicit Window(QStringList voices = {QStringLiteral("Anna")})
        : FakeServices(std::move(voices))
    {
    }

    testsupport::TemporaryConfig config;
    TFmain window{services};
};

} // namespace

TEST(Export, EachLineGoesThroughItsOwnVoiceObjectAndTheFolderIsShown)
{
    Window w;
    w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
        ->setPlainText(QStringLiteral("One\nTwo"));
    w.fileDialogs.answers = {QStringLiteral("/out")};
    w.engine.calls.clear();
    w.window.NExportLineWavClick();
    EXPECT_THAT(w.fileDialogs.folderTitles, ElementsAre("请选择WAV文件保存目录:"));
    EXPECT_EQ(w.engine.calls.count(QStringLiteral("create")), 2);
    EXPECT_TRUE(w.engine.calls.contains(QStringLiteral("open /out/0.One.wav 3")));
    EXPECT_TRUE(w.engine.calls.contains(QStringLiteral("open /out/1.Two.wav 3")));
    EXPECT_EQ(w.engine.calls.last(), QStringLiteral("output-default"));
    EXPECT_THAT(w.foldersShown, ElementsAre("/out"));
}

TEST(Export, TheTextGoesToTheChosenFileInOneVoiceObject)
{
    Window w;
    w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
        ->setPlainText(QStringLiteral("All of it."));
    w.fileDialogs.answers = {QStringLiteral("/sound/Test.WAV")};
    w.engine.calls.clear();
    w.window.NExportClick();
    const qsizetype open = w.engine.calls.indexOf(QStringLiteral("open /sound/Test.WAV 3"));
    ASSERT_GE(open, 0) << "a path that names no file keeps its case";
    EXPECT_THAT(w.engine.calls.mid(open + 1),
                ElementsAre("allow-format-changes 0", "output-stream", "speak All of it.",
                            "wait 50", "close", "output-default"))
        << "waited for in slices, so the window answers meanwhile";
}

// The dialog's choice cuts the text at its chapter lines, a tagged file each, and lists them.
TEST(Export, ByChapterEachChapterIsATaggedFileInThePlaylist)
{
    Window w;
    const testsupport::TemporaryFiles files;
    w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
        ->setPlainText(QStringLiteral("Chapter 1\nOne.\nChapter 2\nTwo."));
    w.fileDialogs.answers = {files.folder.filePath(QStringLiteral("Book.mp3"))};
    w.fileDialogs.exportOptions.byChapter = true;
    w.engine.calls.clear();
    w.window.NExportClick();
    const QString folder = files.folder.path();
    EXPECT_THAT(w.engine.calls.filter(QRegularExpression(QStringLiteral("^(tags|open|speak)"))),
                ElementsAre("tags 1/2 Book Chapter 1", "open " + folder + "/01 - Chapter 1.mp3 3",
                            "speak Chapter 1\nOne.\n", "tags 2/2 Book Chapter 2",
                            "open " + folder + "/02 - Chapter 2.mp3 3", "speak Chapter 2\nTwo."));
    EXPECT_EQ(testsupport::contentsOf(files.folder.filePath(QStringLiteral("Book.m3u"))),
              "#EXTM3U\n#EXTINF:0,Chapter 1\n01 - Chapter 1.mp3\n"
              "#EXTINF:0,Chapter 2\n02 - Chapter 2.mp3\n");
}

// The dialog asked about the chosen name only: the files besides it that would be replaced are
// named, and kept when the answer is no.
TEST(Export, FilesBesidesTheChosenOneAreReplacedOnlyWhenTheUserSaysSo)
{
    Window w;
    testsupport::TemporaryFiles files;
    w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
        ->setPlainText(QStringLiteral("Only one sentence."));
    const QString subtitles = files.write(QStringLiteral("Book.srt"), "1\n");
    w.fileDialogs.exportOptions.subtitles = formats::SubtitleFormat::Srt;
    for (const bool answer : {false, true}) {
        w.messageBoxes.answer = answer;
        w.fileDialogs.answers = {files.folder.filePath(QStringLiteral("Book.wav"))};
        w.engine.calls.clear();
        w.window.NExportClick();
        EXPECT_EQ(w.engine.calls.filter(QStringLiteral("open ")).size(), answer ? 1 : 0);
    }
    EXPECT_THAT(w.messageBoxes.questions,
                ElementsAre("以下文件已经存在，要替换它们吗？\n\n" + subtitles,
                            "以下文件已经存在，要替换它们吗？\n\n" + subtitles));
}

TEST(Export, WithoutVoicesNothingIsWrittenAndNoFolderShown)
{
    Window w{{}};
    w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
        ->setPlainText(QStringLiteral("One"));
    w.fileDialogs.answers = {QStringLiteral("/out")};
    w.window.NExportLineWavClick();
    EXPECT_FALSE(w.engine.calls.join(u'|').contains(QStringLiteral("open ")));
    EXPECT_TRUE(w.foldersShown.isEmpty());
}
