// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/helper/SynthProtocol.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace synth {

// What a synthesis helper runs its requests through.
class Synthesizer {
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

    virtual ~Synthesizer() = default;

    virtual int sampleRate() const = 0;
    // Every voice, the one that best fits `languageTag` (such as "en-us") first, then by name.
    virtual std::vector<VoiceInfo> voices(const std::string& languageTag) const = 0;
    // Returns false when stopped before the end or the cut.
    virtual bool synthesize(const Message& request, const Output& output) = 0;
};

} // namespace synth
