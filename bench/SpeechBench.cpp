// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/NotingSink.h"
#include "engine/HelperEngine.h"

#include <cstdio>
#include <QCoreApplication>
#include <QElapsedTimer>

// Measures what a user waits for: the first sound after Speak and silence after a release.
// long-export-bench measures exports.
namespace {

struct Figures {
    bool heard = false;
};

QString textOfSize(qsizetype bytes)
{
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog again. ");
    QString text;
    text.reserve(bytes);
    while (text.size() < bytes)
        text += sentence;
    text.truncate(bytes);
    return text;
}

void waitFor(const std::function<bool()>& condition)
{
    while (!condition())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

double firstSoundMs(engine::HelperEngine& engine, Figures& figures, const QString& text)
{
    figures.heard = false;
    auto voice = engine.CreateVoice();
    QElapsedTimer timer;
    timer.start();
    voice->Speak(text, speech::Voice::SpeakAsync);
    waitFor([&] { return figures.heard; });
    return timer.nsecsElapsed() / 1e6;
}

double releaseMs(engine::HelperEngine& engine)
{
    auto voice = engine.CreateVoice();
    voice->Speak(textOfSize(5000), speech::Voice::SpeakAsync);
    QElapsedTimer warmUp;
    warmUp.start();
    waitFor([&] { return warmUp.elapsed() > 500; });
    QElapsedTimer timer;
    timer.start();
    voice.reset();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    Figures figures;
    engine::HelperEngine engine(
        engine::HelperEngine::defaultHelperPath(),
        [&](int rate) { return std::make_unique<NotingSink>(rate, [&] { figures.heard = true; }); },
        QStringLiteral("en-us"));
    engine.voices();

    for (const qsizetype size : {qsizetype{100}, qsizetype{1} << 20, qsizetype{10} << 20})
        std::printf("Speak to first sample, %lld bytes: %.1f ms\n", static_cast<long long>(size),
                    firstSoundMs(engine, figures, textOfSize(size)));
    std::printf("Release to silence: %.2f ms\n", releaseMs(engine));
    return 0;
}
