// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/NotingSink.h"
#include "engine/HelperEngine.h"
#include "engine/HelperVoice.h"
#include "third_party/sherpa-onnx/c-api.h"

#include <algorithm>
#include <cstdio>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <vector>

// A neural voice through Lectorix against sherpa-onnx used directly, in one run, on a voice made
// as large as a real one (60 MB) and about as slow: the first sound of a text read aloud, the
// speed of synthesis with one lane, and the memory a helper holding the voice takes.
// Usage: neural-bench [VOICES_FOLDER], the folder holding bench-voice.
namespace {

const QStringList Sentences = {
    QStringLiteral("The first sentence of the text starts the reading. "),
    QStringLiteral("A second one follows it, somewhat longer than the first one was. "),
    QStringLiteral("Then comes the third. "),
    QStringLiteral("The fourth sentence, with a comma, is of middling length. "),
    QStringLiteral("And the fifth closes the paragraph, as fifth sentences often do. "),
};
constexpr int Rounds = 5;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class Library {
public:
    explicit Library(const QString& folder)
    {
        const QString name = QDir(folder).dirName();
        model_ = QDir(folder).filePath(name + QStringLiteral(".onnx")).toStdString();
        tokens_ = QDir(folder).filePath(QStringLiteral("tokens.txt")).toStdString();
        SherpaOnnxOfflineTtsConfig config{};
        config.model.vits.model = model_.c_str();
        config.model.vits.tokens = tokens_.c_str();
        config.model.vits.data_dir = LECTORIX_ESPEAK_NG_DATA;
        config.model.vits.noise_scale = 0.667f;
        config.model.vits.noise_scale_w = 0.8f;
        config.model.vits.length_scale = 1.0f;
        config.model.num_threads = 1;
        config.model.provider = "cpu";
        config.max_num_sentences = 1;
        tts_ = SherpaOnnxCreateOfflineTts(&config);
    }
    ~Library() { SherpaOnnxDestroyOfflineTts(tts_); }

    double generateMs(const QString& text) const
    {
        SherpaOnnxGenerationConfig config{};
        config.speed = 1.0f;
        config.silence_scale = 0.2f;
        QElapsedTimer timer;
        timer.start();
        const QByteArray utf8 = text.toUtf8();
        SherpaOnnxDestroyOfflineTtsGeneratedAudio(SherpaOnnxOfflineTtsGenerateWithConfig(
            tts_, utf8.constData(), &config, nullptr, nullptr));
        return timer.nsecsElapsed() / 1e6;
    }

private:
    std::string model_;
    std::string tokens_;
    const SherpaOnnxOfflineTts* tts_ = nullptr;
};

class NullSampleSink final : public audio::SampleSink {
public:
    void write(std::span<const std::int16_t>, int) override {}
};

long residentKilobytes(qint64 process)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

void waitFor(const std::function<bool()>& condition)
{
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QString voices =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LECTORIX_BENCH_VOICES);
    const QString folder = QDir(voices).filePath(QStringLiteral("bench-voice"));
    const QString text = Sentences.join(QString());

    std::vector<double> libraryFirst;
    std::vector<double> libraryWhole;
    {
        const Library library(folder);
        library.generateMs(Sentences[0]);
        for (int round = 0; round < Rounds; ++round) {
            libraryFirst.push_back(library.generateMs(Sentences[0]));
            double whole = 0;
            for (const QString& sentence : Sentences)
                whole += library.generateMs(sentence);
            libraryWhole.push_back(whole);
        }
    }

    bool heard = false;
    engine::HelperEngine engine(
        engine::HelperEngine::defaultHelperPath(),
        [&](int rate) { return std::make_unique<NotingSink>(rate, [&] { heard = true; }); },
        QStringLiteral("en-us"), voices);
    engine.setSynthesisLanes(1);
    speech::VoiceTokenPtr neural;
    for (const speech::VoiceTokenPtr& token : engine.voices())
        if (token->Id() == QStringLiteral("neural/bench-voice/0"))
            neural = token;
    if (!neural) {
        std::fprintf(stderr, "neural-bench: no bench-voice in %s\n", qPrintable(voices));
        return 1;
    }
    engine::SynthService& helper = engine.serviceFor(0, neural.get());
    QElapsedTimer loading;
    loading.start();
    helper.sampleRate();
    const double loadMs = loading.nsecsElapsed() / 1e6;
    // The library's first run costs more than the others, there as here.
    auto warmUp = engine.createLaneVoice(0);
    warmUp->SetVoice(neural);
    warmUp->renderInto(std::make_shared<NullSampleSink>());
    warmUp->Speak(Sentences[0], 0);

    std::vector<double> oursFirst;
    std::vector<double> oursWhole;
    for (int round = 0; round < Rounds; ++round) {
        heard = false;
        auto voice = engine.CreateVoice();
        voice->SetVoice(neural);
        QElapsedTimer timer;
        timer.start();
        voice->Speak(text, speech::Voice::SpeakAsync);
        waitFor([&] { return heard; });
        oursFirst.push_back(timer.nsecsElapsed() / 1e6);
        // The helper ends the sentence it is making before it hears the stop.
        voice.reset();
        while (helper.isBusy())
            helper.waitForProgress(10);

        auto exporter = engine.createLaneVoice(0);
        exporter->SetVoice(neural);
        exporter->renderInto(std::make_shared<NullSampleSink>());
        timer.start();
        exporter->Speak(text, 0);
        oursWhole.push_back(timer.nsecsElapsed() / 1e6);
    }

    std::printf("Voice: %s (%lld MB)\n", qPrintable(folder),
                QFileInfo(QDir(folder).filePath(QStringLiteral("bench-voice.onnx"))).size() >> 20);
    std::printf("Helper start and model load: %.0f ms\n", loadMs);
    std::printf("First sentence, library alone: %.1f ms (median of %d)\n", median(libraryFirst),
                Rounds);
    std::printf("Read aloud to first sound, Lectorix: %.1f ms (median of %d), %+.1f ms\n",
                median(oursFirst), Rounds, median(oursFirst) - median(libraryFirst));
    std::printf("Whole text, library alone sentence by sentence: %.1f ms\n", median(libraryWhole));
    std::printf("Whole text into a file, Lectorix, one lane: %.1f ms, ratio %.3f\n",
                median(oursWhole), median(oursWhole) / median(libraryWhole));
    std::printf("Memory of a helper holding the voice (one lane): %ld MB\n",
                residentKilobytes(helper.helperProcessId()) / 1024);
    return 0;
}
