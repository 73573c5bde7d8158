// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/SampleFile.h"
#include "bench/BenchBook.h"
#include "speech/FileRendering.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <vector>

// Export of a 100 KB book to each of the five file types, in the same run, the best of two runs
// each; then the encoders alone on that WAV file against opusenc --speech and lame. Run it as
// build/bin/compressed-export-bench (no display needed).
namespace {

using speech::AudioFileType;

struct Type {
    AudioFileType type;
    const char* name;
    const char* suffix;
};

constexpr Type Types[] = {{AudioFileType::Wav, "WAV", "wav"},
                          {AudioFileType::Mp3, "MP3", "mp3"},
                          {AudioFileType::OggOpus, "Opus", "opus"},
                          {AudioFileType::OggVorbis, "Vorbis", "ogg"},
                          {AudioFileType::Flac, "FLAC", "flac"}};

double seconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

double exportSeconds(engine::HelperEngine& engine, AudioFileType type, const QString& text,
                     const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    speech::speakIntoFile(*engine.CreateVoice(), engine.CreateFileStream(type), path, text);
    return seconds(timer);
}

struct Wav {
    int rate = 0;
    std::vector<std::int16_t> samples;
};

Wav readWav(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    Wav wav;
    wav.rate = qFromLittleEndian<qint32>(bytes.constData() + 24);
    wav.samples.resize(static_cast<std::size_t>(bytes.size() - 44) / 2);
    std::memcpy(wav.samples.data(), bytes.constData() + 44, wav.samples.size() * 2);
    return wav;
}

// Our encoder alone, fed in blocks of a tenth of a second as the synthesis feeds it.
double encoderSeconds(engine::HelperEngine& engine, AudioFileType type, const Wav& wav,
                      const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    const auto stream = std::dynamic_pointer_cast<audio::SampleFile>(engine.CreateFileStream(type));
    stream->Open(path, speech::FileStream::CreateForWrite, false);
    const std::size_t block = static_cast<std::size_t>(wav.rate) / 10;
    for (std::size_t at = 0; at < wav.samples.size(); at += block)
        stream->write(std::span(wav.samples).subspan(at, std::min(block, wav.samples.size() - at)),
                      wav.rate);
    stream->Close();
    return seconds(timer);
}

double commandSeconds(const QString& program, const QStringList& arguments)
{
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(program, arguments);
    return seconds(timer);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const std::unique_ptr<engine::HelperEngine> exporting = exportEngine();
    engine::HelperEngine& engine = *exporting;
    QTemporaryDir folder;
    const QString text = bookOfSize(qsizetype{100} << 10);
    const auto pathOf = [&](const char* name, const char* suffix) {
        return folder.filePath(
            QStringLiteral("%1.%2").arg(QLatin1String(name), QLatin1String(suffix)));
    };
    double wavSeconds = 0;
    for (const Type& type : Types) {
        double best = 1e9;
        for (int run = 0; run < 2; ++run)
            best =
                std::min(best, exportSeconds(engine, type.type, text, pathOf("book", type.suffix)));
        if (type.type == AudioFileType::Wav)
            wavSeconds = best;
        std::printf("%-6s export %6.2f s, %.2f times the WAV's, %7.1f KB\n", type.name, best,
                    best / wavSeconds, QFileInfo(pathOf("book", type.suffix)).size() / 1024.0);
    }
    const QString wavPath = pathOf("book", "wav");
    const Wav wav = readWav(wavPath);
    std::printf("sound: %.1f min at %d Hz\n", wav.samples.size() / double(wav.rate) / 60, wav.rate);
    const double ourOpus =
        encoderSeconds(engine, AudioFileType::OggOpus, wav, pathOf("encoder", "opus"));
    const double opusenc = commandSeconds(QStringLiteral("opusenc"),
                                          {QStringLiteral("--quiet"), QStringLiteral("--speech"),
                                           wavPath, pathOf("opusenc", "opus")});
    const double ourMp3 = encoderSeconds(engine, AudioFileType::Mp3, wav, pathOf("encoder", "mp3"));
    const double lame = commandSeconds(QStringLiteral("lame"),
                                       {QStringLiteral("--quiet"), wavPath, pathOf("lame", "mp3")});
    std::printf("encoders alone: Opus %.2f s against opusenc --speech %.2f s (ratio %.2f, "
                "%.1f KB against %.1f KB); MP3 %.2f s against lame %.2f s (ratio %.2f, %.1f KB "
                "against %.1f KB)\n",
                ourOpus, opusenc, ourOpus / opusenc,
                QFileInfo(pathOf("encoder", "opus")).size() / 1024.0,
                QFileInfo(pathOf("opusenc", "opus")).size() / 1024.0, ourMp3, lame, ourMp3 / lame,
                QFileInfo(pathOf("encoder", "mp3")).size() / 1024.0,
                QFileInfo(pathOf("lame", "mp3")).size() / 1024.0);
    return 0;
}
