#pragma once

#include "platform/synth/SynthProtocol.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace synth {

// espeak-ng in synchronous mode. Its API is global, so a process holds at most one of these.
class EspeakSynthesizer {
public:
    struct Output {
        std::function<void(std::span<const std::int16_t>)> audio;
        // Code-point offset of a word in the text.
        std::function<void(std::uint32_t)> word;
        // Asked between audio buffers; true ends synthesis early.
        std::function<bool()> shouldStop;
    };

    EspeakSynthesizer();
    ~EspeakSynthesizer();
    EspeakSynthesizer(const EspeakSynthesizer&) = delete;
    EspeakSynthesizer& operator=(const EspeakSynthesizer&) = delete;

    int sampleRate() const { return sampleRate_; }

    // Every voice, the one that best fits `languageTag` (such as "en-us") first, then by name.
    std::vector<VoiceInfo> voices(const std::string& languageTag) const;

    // Returns false when stopped before the end.
    bool synthesize(const Message& request, const Output& output);

private:
    void selectVoice(const std::string& identifier);

    int sampleRate_ = 0;
    std::string currentVoice_;
};

} // namespace synth
