// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/HelperEngine.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/WaitUntil.h"

#include <functional>
#include <map>

namespace testsupport {

// The real engine, with sound recorded in memory instead of played.
struct EngineUnderTest {
    explicit EngineUnderTest(bool paced, const QString& language = QStringLiteral("en-us"),
                             const QString& neuralVoices = engine::userNeuralVoicesFolder())
        : engine(engine::HelperEngine::defaultHelperPath(), recordingSinkFactory(recording, paced),
                 language, neuralVoices)
    {
    }

    double secondsHeard() const
    {
        return recording->sampleRate ? double(recording->heard.size()) / recording->sampleRate : 0;
    }

    std::shared_ptr<Recording> recording = std::make_shared<Recording>();
    engine::HelperEngine engine;
};

// Everything the voice says for the text, rendered as fast as the engine can.
inline std::vector<std::int16_t> render(const QString& text, int rate = 0, int volume = 100,
                                        const QString& voiceId = {})
{
    EngineUnderTest unpaced(false);
    auto voice = unpaced.engine.CreateVoice();
    voice->SetRate(rate);
    voice->SetVolume(volume);
    if (!voiceId.isEmpty())
        for (const auto& token : voice->GetVoices({}, {}))
            if (token->Id() == voiceId)
                voice->SetVoice(token);
    voice->Speak(text, 0);
    return unpaced.recording->heard;
}

// How long each stream of a voice was heard, from the positions its audio levels carry; exact to
// one level block (50 ms).
struct StreamLengths {
    explicit StreamLengths(speech::Voice& voice)
    {
        voice.SetEventInterests(speech::Voice::AllEventInterests);
        voice.SetAudioLevelHandler([this](const speech::AudioLevelEvent& event) {
            bytes[event.streamNumber] = std::max(bytes[event.streamNumber], event.streamPosition);
        });
    }
    double seconds(long stream, int sampleRate = 22050) { return bytes[stream] / 2.0 / sampleRate; }

    std::map<long, std::int64_t> bytes;
};

inline double secondsOf(const std::vector<std::int16_t>& samples, int sampleRate = 22050)
{
    return double(samples.size()) / sampleRate;
}

inline int peakOf(const std::vector<std::int16_t>& samples)
{
    int peak = 0;
    for (std::int16_t sample : samples)
        peak = std::max(peak, std::abs(int{sample}));
    return peak;
}

} // namespace testsupport
