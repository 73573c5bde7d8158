// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/WavExport.h"

#include "speech/ExportFileNames.h"
#include "speech/ReadingControl.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ReadingWidgets.h"
#include "tests/support/RecordingFeedback.h"

#include <gmock/gmock.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTextEdit>

using speech::WavExport;
using testing::UnorderedElementsAre;

namespace {

// The window's controls and the real engine, without the window.
struct Exporting {
    explicit Exporting(bool withVoices = true)
    {
        widgets.volume.setValue(100);
        if (withVoices)
            reading.fillVoiceList(0);
    }

    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files); }
    QByteArray file(const QString& name) const
    {
        QFile wav(folder.filePath(name));
        return wav.open(QIODevice::ReadOnly) ? wav.readAll() : QByteArray();
    }

    testsupport::EngineUnderTest speech{false};
    speech::VoiceHolder holder{speech.engine};
    testsupport::ReadingWidgets widgets;
    QTextEdit& editor = widgets.editor;
    speech::ReadingControl reading{holder, widgets.controls()};
    WavExport exporter{holder, speech.engine, reading, editor};
    QTemporaryDir folder;
    testsupport::RecordingFeedback feedback;
};

quint32 dataBytes(const QByteArray& wav)
{
    return wav.size() < 44 ? 0 : qFromLittleEndian<quint32>(wav.constData() + 40);
}

} // namespace

TEST(WavExport, EachLineIsAFileNamedByItsIndexAndText)
{
    Exporting e;
    e.editor.setPlainText(QStringLiteral("Hello: world\n\na/b?c\n   \nHello: world\n"));
    EXPECT_TRUE(e.exporter.exportLines(e.folder.path(), e.feedback));
    EXPECT_THAT(e.files(), UnorderedElementsAre("0.Hello  world.wav", "2.a b c.wav", "3..wav",
                                                "4.Hello  world.wav"));
    EXPECT_THAT(e.feedback.shares, testing::IsSupersetOf({0.2, 0.4, 0.6, 0.8, 1.0}))
        << "told after each line";
    EXPECT_TRUE(std::is_sorted(e.feedback.shares.begin(), e.feedback.shares.end()));
    EXPECT_GT(dataBytes(e.file(QStringLiteral("0.Hello  world.wav"))), 16000u);
    EXPECT_EQ(dataBytes(e.file(QStringLiteral("3..wav"))), 0u) << "spoken from an empty text";
}

TEST(WavExport, WrappedParagraphsStayOneLine)
{
    Exporting e;
    e.editor.resize(80, 200);
    e.editor.setPlainText(
        QStringLiteral("A paragraph long enough to wrap many times in a narrow editor."));
    EXPECT_TRUE(e.exporter.exportLines(e.folder.path(), e.feedback));
    EXPECT_EQ(e.files().size(), 1);
}

TEST(WavExport, AnEmptyEditorWritesNothingAndNoVoiceShowsNoFolder)
{
    Exporting empty;
    EXPECT_TRUE(empty.exporter.exportLines(empty.folder.path(), empty.feedback));
    empty.exporter.exportText(empty.folder.filePath(QStringLiteral("all.wav")), empty.feedback);
    EXPECT_TRUE(empty.files().isEmpty());

    Exporting voiceless(false);
    voiceless.editor.setPlainText(QStringLiteral("One line."));
    EXPECT_FALSE(voiceless.exporter.exportLines(voiceless.folder.path(), voiceless.feedback));
    voiceless.exporter.exportText(voiceless.folder.filePath(QStringLiteral("all.wav")),
                                  voiceless.feedback);
    EXPECT_TRUE(voiceless.files().isEmpty());
}

TEST(WavExport, TheSelectionAloneIsExportedAndAnExistingFileReplaced)
{
    Exporting e;
    const QString path = e.folder.filePath(QStringLiteral("Out.wav"));
    QFile existing(path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write(QByteArray(1 << 20, 'x'));
    existing.close();
    e.editor.setPlainText(
        QStringLiteral("Short. Then a much longer second sentence follows here."));
    e.exporter.exportText(path, e.feedback);
    const quint32 whole = dataBytes(e.file(QStringLiteral("Out.wav")));
    QTextCursor cursor = e.editor.textCursor();
    cursor.setPosition(0);
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    e.editor.setTextCursor(cursor);
    e.exporter.exportText(path, e.feedback);
    const QByteArray wav = e.file(QStringLiteral("Out.wav"));
    EXPECT_EQ(wav.size(), 44 + dataBytes(wav));
    EXPECT_LT(dataBytes(wav) * 3, whole);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 24), 16000u);
    EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + 22), 1);
    EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + 34), 16);
}

TEST(WavExport, TheTrackBarsRateIsHeardInTheFile)
{
    Exporting e;
    e.editor.setPlainText(QStringLiteral("The rate of this sentence follows the track bar."));
    e.exporter.exportText(e.folder.filePath(QStringLiteral("normal.wav")), e.feedback);
    e.widgets.rate.setValue(10);
    e.exporter.exportText(e.folder.filePath(QStringLiteral("fast.wav")), e.feedback);
    const double ratio = double(dataBytes(e.file(QStringLiteral("fast.wav")))) /
                         dataBytes(e.file(QStringLiteral("normal.wav")));
    EXPECT_NEAR(ratio, 1.0 / 3, 0.08);
}

TEST(WavExport, AFileThatCannotBeWrittenEndsTheExportAndKeepsTheFilesBefore)
{
    Exporting e;
    e.editor.setPlainText(QStringLiteral("first\nsecond\nthird"));
    ASSERT_TRUE(QDir(e.folder.path()).mkdir(QStringLiteral("1.second.wav")));
    EXPECT_THROW(e.exporter.exportLines(e.folder.path(), e.feedback), std::runtime_error);
    EXPECT_THAT(e.files(), UnorderedElementsAre("0.first.wav"));
}

TEST(WavExport, AFullDiskRemovesTheFileCutShortAndTheVoiceSpeaksAloudAgain)
{
    Exporting e;
    e.editor.setPlainText(QStringLiteral("Hi\nThis line is far too long for the room that is left "
                                         "on the disk, so its file cannot be written whole."));
    try {
        const testsupport::FileSizeLimit full(40000);
        e.exporter.exportLines(e.folder.path(), e.feedback);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), testing::EndsWith(": File too large"));
    }
    EXPECT_THAT(e.files(), UnorderedElementsAre("0.Hi.wav"));
    e.holder->Speak(QStringLiteral("Hello"), 0);
    EXPECT_GT(e.speech.secondsHeard(), 0.2);
}

TEST(WavExport, ALongLineOrChapterGetsANameTheFileSystemTakes)
{
    EXPECT_EQ(
        speech::chapterFileName(3, 12, QStringLiteral(" Chapter 3: Why? "), QStringLiteral(".mp3")),
        QStringLiteral("03 - Chapter 3 Why.mp3"));
    EXPECT_EQ(speech::chapterFileName(7, 120, QStringLiteral("/"), QStringLiteral(".ogg")),
              QStringLiteral("007.ogg"));
    const QString chapter =
        speech::chapterFileName(1, 1, QString(200, QChar(0x4E2D)), QStringLiteral(".opus"));
    EXPECT_LE(chapter.toUtf8().size(), speech::MaxFileNameBytes);
    EXPECT_TRUE(chapter.endsWith(QChar(0x4E2D) + QStringLiteral(".opus")));

    const QString name = speech::lineFileName(7, QString(2000, u'x') + QStringLiteral(" end"));
    EXPECT_EQ((name + QStringLiteral(".wav")).toUtf8().size(), speech::MaxFileNameBytes);
    EXPECT_TRUE(name.startsWith(QStringLiteral("7.xxx")));
    const QString cut =
        speech::lineFileName(1, QString(240, u'a') + QStringLiteral(". . . ") + QString(50, u'b'));
    EXPECT_FALSE(cut.endsWith(u' ') || cut.endsWith(u'.'));
    const QString chinese = speech::lineFileName(2, QString(200, QChar(0x4E2D)));
    EXPECT_LE((chinese + QStringLiteral(".wav")).toUtf8().size(), speech::MaxFileNameBytes);

    Exporting e;
    e.editor.setPlainText(QString(2000, u'y'));
    EXPECT_TRUE(e.exporter.exportLines(e.folder.path(), e.feedback));
    ASSERT_EQ(e.files().size(), 1);
    EXPECT_GT(dataBytes(e.file(e.files().first())), 0u);
}

TEST(WavExport, TextTheEngineCannotSpeakIsReportedAndTheRestIsKept)
{
    Exporting e;
    QString deadly;
    for (int i = 0; i < 100; ++i)
        deadly += QStringLiteral("a.");
    e.editor.setPlainText(QStringLiteral("Before it. ") + deadly + QStringLiteral(" After it."));
    const QString path = e.folder.filePath(QStringLiteral("all.wav"));
    EXPECT_THROW(e.exporter.exportText(path, e.feedback), std::runtime_error);
    const QByteArray wav = e.file(QStringLiteral("all.wav"));
    EXPECT_GT(dataBytes(wav), 16000u);
    EXPECT_EQ(dataBytes(wav), quint32(wav.size() - 44));
}

TEST(WavExport, TheNamesExtensionGivesTheTypeOfTheFile)
{
    Exporting e;
    e.editor.setPlainText(QStringLiteral("A book to hear in the car."));
    e.exporter.exportText(e.folder.filePath(QStringLiteral("book.mp3")), e.feedback);
    e.exporter.exportText(e.folder.filePath(QStringLiteral("book.flac")), e.feedback);
    e.exporter.exportText(e.folder.filePath(QStringLiteral("book.wav")), e.feedback);
    const QByteArray mp3 = e.file(QStringLiteral("book.mp3"));
    EXPECT_TRUE(mp3.startsWith("ID3") || mp3.startsWith("\xFF\xF3")) << mp3.left(4).toHex().data();
    EXPECT_TRUE(e.file(QStringLiteral("book.flac")).startsWith("fLaC"));
    const QByteArray wav = e.file(QStringLiteral("book.wav"));
    EXPECT_TRUE(wav.startsWith("RIFF"));
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 24), 16000u);
}
