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
        // Synthesis ended at a clause end before the end of the text: the code-point offset of
        // the rest, and whether a sentence starts there.
        std::function<void(std::uint32_t, bool)> cut;
    };

    EspeakSynthesizer();
    ~EspeakSynthesizer();
    EspeakSynthesizer(const EspeakSynthesizer&) = delete;
    EspeakSynthesizer& operator=(const EspeakSynthesizer&) = delete;

    int sampleRate() const { return sampleRate_; }

    // Every voice, the one that best fits `languageTag` (such as "en-us") first, then by name.
    std::vector<VoiceInfo> voices(const std::string& languageTag) const;

    // Speaks the text up to the first sentence start after its beginning, or up to a clause end
    // past ClauseCutOffset when the sentence is longer, so that each cut falls where espeak-ng
    // itself pauses. Returns false when stopped before that.
    static constexpr std::uint32_t ClauseCutOffset = 400;
    bool synthesize(const Message& request, const Output& output);

private:
    void selectVoice(const std::string& identifier);

    int sampleRate_ = 0;
    std::string currentVoice_;
};

} // namespace synth
