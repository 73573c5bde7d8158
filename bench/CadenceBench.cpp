// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/ReadingRig.h"
#include "speech/WavExport.h"

#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

namespace {

// The length of a PCM WAV file's sound, from its format and data chunks.
double wavSeconds(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray bytes = file.readAll();
    quint32 byteRate = 0;
    for (qsizetype chunk = 12; chunk + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(chunk, 4);
        const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + chunk + 4);
        if (id == "fmt ")
            byteRate = qFromLittleEndian<quint32>(bytes.constData() + chunk + 16);
        if (id == "data" && byteRate > 0)
            return double(size) / byteRate;
        chunk += 8 + size + (size & 1);
    }
    return 0;
}

double seconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

} // namespace

// The length of hard-wrapped prose exported as WAV against `espeak-ng -w` on the same file with
// the same voice: the pauses should be espeak-ng's own. Run it as build/bin/cadence-bench [FILE]
// (no display needed); without a file it reads bench/data/hard-wrapped-prose.txt.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QString textPath = argc > 1
                                 ? QString::fromLocal8Bit(argv[1])
                                 : QStringLiteral(LECTORIX_BENCH_DATA "/hard-wrapped-prose.txt");
    QFile textFile(textPath);
    if (!textFile.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "Cannot read %s\n", qPrintable(textPath));
        return 1;
    }
    ReadingRig rig;
    rig.editor.setPlainText(QString::fromUtf8(textFile.readAll()));
    speech::WavExport exporter(rig.holder, rig.engine, rig.reading, rig.editor);

    QTemporaryDir folder;
    const QString ours = folder.filePath(QStringLiteral("lectorix.wav"));
    const QString peers = folder.filePath(QStringLiteral("espeak-ng.wav"));
    QElapsedTimer timer;
    timer.start();
    exporter.exportText(ours, rig.feedback);
    const double ourTime = seconds(timer);
    timer.restart();
    const QString voice = rig.reading.selectedToken()->Id();
    QProcess::execute(
        QStringLiteral("espeak-ng"),
        {QStringLiteral("-v"), voice, QStringLiteral("-w"), peers, QStringLiteral("-f"), textPath});
    const double peerTime = seconds(timer);

    const double ourLength = wavSeconds(ours);
    const double peerLength = wavSeconds(peers);
    std::printf("%s, voice %s\n", qPrintable(textPath), qPrintable(voice));
    std::printf("Sound: Lectorix %.2f s, espeak-ng %.2f s, ratio %.4f\n", ourLength, peerLength,
                ourLength / peerLength);
    std::printf("Export time: Lectorix %.2f s, espeak-ng %.2f s, ratio %.2f\n", ourTime, peerTime,
                ourTime / peerTime);
    return 0;
}
