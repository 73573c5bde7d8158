#include "platform/EspeakEngine.h"
#include "platform/NullPcmSink.h"
#include "speech/ReadingControl.h"
#include "speech/WavExport.h"
#include "tests/support/ReadingWidgets.h"

#include <cstdio>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTemporaryDir>
#include <QTextEdit>

// Per-line WAV export of a 1000-line text: files written per second. Run it as
// build/bin/export-bench (no display needed).
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::EspeakEngine engine(
        platform::EspeakEngine::defaultHelperPath(),
        [](int rate) { return std::make_unique<platform::NullPcmSink>(rate); },
        QStringLiteral("en-us"));
    speech::VoiceHolder holder(engine);
    testsupport::ReadingWidgets widgets;
    widgets.volume.setValue(80);
    QTextEdit& editor = widgets.editor;
    speech::ReadingControl reading(holder, widgets.controls());
    reading.fillVoiceList(0);
    QStringList lines;
    for (int i = 0; i < 1000; ++i)
        lines << QStringLiteral("Line %1 of the text to export, one file each.").arg(i);
    editor.setPlainText(lines.join(u'\n'));
    speech::WavExport exporter(holder, engine, reading, editor);
    QTemporaryDir folder;
    QElapsedTimer timer;
    timer.start();
    exporter.exportLines(folder.path(), [] { QCoreApplication::processEvents(); });
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("Per-line export of 1000 lines: %.1f s, %.0f files per second\n", seconds,
                1000 / seconds);
    return 0;
}
