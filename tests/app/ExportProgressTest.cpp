// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ExportProgress.h"

#include "speech/WavExport.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ReadingWidgets.h"
#include "tests/support/RecordingFeedback.h"

#include <gmock/gmock.h>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>

namespace {

// Long enough that rendering it takes a few seconds, in paragraphs rendered side by side.
QString longText()
{
    QStringList sentences;
    for (int i = 0; i < 150; ++i)
        sentences
            << QStringLiteral("Sentence %1 of a long book, read into a file for the car.").arg(i);
    return sentences.join(u'\n');
}

struct Exporting {
    Exporting()
    {
        speech.engine.setSynthesisLanes(2);
        widgets.volume.setValue(100);
        reading.fillVoiceList(0);
        widgets.editor.setPlainText(longText());
    }

    testsupport::EngineUnderTest speech{false};
    speech::VoiceHolder holder{speech.engine};
    testsupport::ReadingWidgets widgets;
    speech::ReadingControl reading{holder, widgets.controls()};
    speech::WavExport exporter{holder, speech.engine, reading, widgets.editor};
    QTemporaryDir folder;
};

} // namespace

TEST(ExportProgress, TheWindowAnswersAndShowsProgressUntilEscapeStopsTheExport)
{
    Exporting e;
    const QString path = e.folder.filePath(QStringLiteral("book.mp3"));
    std::vector<int> barValues;
    bool busy = false;
    bool escaped = false;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        barValues.push_back(e.widgets.progress.value());
        busy = busy || (QGuiApplication::overrideCursor() &&
                        QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
        // Once the bar has moved, however slowly the machine renders.
        if (barValues.size() >= 10 && barValues.back() > 0 && !escaped) {
            QCoreApplication::postEvent(&e.widgets.editor,
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
            escaped = true;
        }
    });
    ticks.start(20);
    {
        ExportProgress progress(e.widgets.progress);
        EXPECT_THROW(e.exporter.exportText(path, progress), speech::ExportStopped);
    }
    EXPECT_TRUE(escaped);
    EXPECT_GE(barValues.size(), 10u) << "the window answered during the export";
    EXPECT_TRUE(std::is_sorted(barValues.begin(), barValues.end()));
    EXPECT_GT(barValues.back(), barValues.front()) << "the bar shows the progress";
    EXPECT_TRUE(busy);
    EXPECT_FALSE(QFile::exists(path)) << "a stopped export leaves no file";
    EXPECT_EQ(e.widgets.progress.value(), 0);
    EXPECT_EQ(e.widgets.progress.maximum(), 10) << "the bar's range for levels comes back";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(e.holder.IsExporting());
}

TEST(ExportProgress, ReadingAloudEndsAnExportAndIsHeard)
{
    Exporting e;
    testsupport::RecordingFeedback reader;
    bool readingAloud = false;
    reader.goOnWhen = [&] {
        if (reader.shares.back() > 0.2 && !std::exchange(readingAloud, true))
            e.reading.readAloud();
        return true;
    };
    EXPECT_THROW(e.exporter.exportText(e.folder.filePath(QStringLiteral("book.wav")), reader),
                 speech::ExportStopped);
    EXPECT_TRUE(testsupport::waitUntil([&] { return e.speech.secondsHeard() > 5; }))
        << e.speech.secondsHeard();
}

TEST(ExportProgress, TheStopCommandEndsAnExportAndTheFileItWouldReplaceStays)
{
    Exporting e;
    const QString path = e.folder.filePath(QStringLiteral("book.wav"));
    QFile earlier(path);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("yesterday's export");
    earlier.close();
    testsupport::RecordingFeedback stopper;
    stopper.goOnWhen = [&] {
        if (stopper.shares.back() > 0.2)
            e.reading.stop();
        return true;
    };
    try {
        e.exporter.exportText(path, stopper);
        FAIL() << "not stopped";
    } catch (const speech::ExportStopped& stopped) {
        EXPECT_THAT(stopped.what(), testing::HasSubstr("book.wav"));
    }
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), "yesterday's export");
    EXPECT_EQ(QDir(e.folder.path()).entryList(QDir::Files).size(), 1) << "nothing left beside it";
    EXPECT_LT(stopper.shares.back(), 0.5);
    e.widgets.editor.setPlainText(QStringLiteral("One line.\nAnother line."));
    // Once the first of the two lines is written, however slowly the machine renders.
    stopper.goOnWhen = [&] {
        if (stopper.shares.back() >= 0.5)
            e.reading.stop();
        return true;
    };
    EXPECT_THROW(e.exporter.exportLines(e.folder.path(), stopper), speech::ExportStopped);
    EXPECT_EQ(QDir(e.folder.path()).entryList(QDir::Files).size(), 2)
        << "the line written before the stop stays, and no later one is written";
}
