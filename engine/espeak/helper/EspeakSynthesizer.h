// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/espeak/helper/SynthProtocol.h"

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
        // The sound given so far ends a clause: the text before the code-point offset is spoken.
        std::function<void(std::uint32_t)> clauseEnd;
        // The sound given so far ends a sentence; the next starts at the code-point offset.
        std::function<void(std::uint32_t)> sentenceEnd;
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

    // Speaks the text up to the first sentence start past SentenceCutOffset, or up to a clause end
    // past ClauseCutOffset when there is none, so that each cut falls where espeak-ng itself
    // pauses. A cut costs espeak-ng the translation of the clause after it, so pieces hold a few
    // sentences. Returns false when stopped before the end or the cut.
    static constexpr std::uint32_t SentenceCutOffset = 1000;
    static constexpr std::uint32_t ClauseCutOffset = 1000;
    bool synthesize(const Message& request, const Output& output);

private:
    void selectVoice(const std::string& identifier);

    int sampleRate_ = 0;
    std::string currentVoice_;
};

} // namespace synth
