// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/BenchBook.h"
#include "speech/FileRendering.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

// WAV export of a 100 KB and a 1 MB book, in paragraphs: through one helper, through one helper
// per core side by side, and by espeak-ng's own command, in the same run; the best of three runs
// for 100 KB. Run it as build/bin/long-export-bench (no display needed).
namespace {

double seconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

double exportSeconds(engine::HelperEngine& engine, int lanes, const QString& text,
                     const QString& path)
{
    engine.setSynthesisLanes(lanes);
    QElapsedTimer timer;
    timer.start();
    speech::speakIntoFile(*engine.CreateVoice(),
                          engine.CreateFileStream(speech::AudioFileType::Wav), path, text);
    return seconds(timer);
}

double espeakCommandSeconds(const QString& textPath, const QString& wavPath)
{
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("espeak-ng"),
                      {QStringLiteral("-v"), QStringLiteral("en-us"), QStringLiteral("-w"), wavPath,
                       QStringLiteral("-f"), textPath});
    return seconds(timer);
}

double soundSeconds(const QString& wavPath)
{
    return (QFileInfo(wavPath).size() - 44) / 2.0 / 16000;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const std::unique_ptr<engine::HelperEngine> exporting = exportEngine();
    engine::HelperEngine& engine = *exporting;
    const int cores = engine.synthesisLanes();
    QTemporaryDir folder;
    for (const qsizetype size : {qsizetype{100} << 10, qsizetype{1} << 20}) {
        const QString text = bookOfSize(size);
        const QString textPath = folder.filePath(QStringLiteral("book.txt"));
        QFile file(textPath);
        file.open(QIODevice::WriteOnly);
        file.write(text.toUtf8());
        file.close();
        const QString onePath = folder.filePath(QStringLiteral("one.wav"));
        const QString sideBySidePath = folder.filePath(QStringLiteral("lanes.wav"));
        double one = 1e9;
        double sideBySide = 1e9;
        double espeak = 1e9;
        for (int run = 0; run < (size < (1 << 20) ? 3 : 1); ++run) {
            one = std::min(one, exportSeconds(engine, 1, text, onePath));
            sideBySide = std::min(sideBySide, exportSeconds(engine, cores, text, sideBySidePath));
            espeak = std::min(espeak, espeakCommandSeconds(
                                          textPath, folder.filePath(QStringLiteral("espeak.wav"))));
        }
        std::printf("%lld KB: one helper %.2f s, %d helpers %.2f s, espeak-ng -w %.2f s; "
                    "ratios to espeak-ng %.2f and %.2f; lengths differ by %.4f %%\n",
                    static_cast<long long>(size >> 10), one, cores, sideBySide, espeak,
                    one / espeak, sideBySide / espeak,
                    100 * (soundSeconds(sideBySidePath) / soundSeconds(onePath) - 1));
    }
    return 0;
}
