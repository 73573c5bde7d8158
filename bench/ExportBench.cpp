// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/ReadingRig.h"
#include "speech/WavExport.h"

#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

// Per-line WAV export of a 1000-line text: files written per second. Run it as
// build/bin/export-bench (no display needed).
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ReadingRig rig;
    QStringList lines;
    for (int i = 0; i < 1000; ++i)
        lines << QStringLiteral("Line %1 of the text to export, one file each.").arg(i);
    rig.editor.setPlainText(lines.join(u'\n'));
    speech::WavExport exporter(rig.holder, rig.engine, rig.reading, rig.editor);
    QTemporaryDir folder;
    QElapsedTimer timer;
    timer.start();
    exporter.exportLines(folder.path(), rig.feedback);
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("Per-line export of 1000 lines: %.1f s, %.0f files per second\n", seconds,
                1000 / seconds);
    return 0;
}
