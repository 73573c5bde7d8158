// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/helper/Synthesizer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace synth {

// espeak-ng in synchronous mode. Its API is global, so a process holds at most one of these.
class EspeakSynthesizer final : public Synthesizer {
public:
    EspeakSynthesizer();
    ~EspeakSynthesizer() override;
    EspeakSynthesizer(const EspeakSynthesizer&) = delete;
    EspeakSynthesizer& operator=(const EspeakSynthesizer&) = delete;

    int sampleRate() const override { return sampleRate_; }

    std::vector<VoiceInfo> voices(const std::string& languageTag) const override;

    // Speaks the text up to the first sentence start past SentenceCutOffset, or up to a clause end
    // past ClauseCutOffset when there is none, so that each cut falls where espeak-ng itself
    // pauses. A cut costs espeak-ng the translation of the clause after it, so pieces hold a few
    // sentences. Returns false when stopped before the end or the cut.
    static constexpr std::uint32_t SentenceCutOffset = 1000;
    static constexpr std::uint32_t ClauseCutOffset = 1000;
    bool synthesize(const Message& request, const Output& output) override;

private:
    void selectVoice(const std::string& identifier);

    int sampleRate_ = 0;
    std::string currentVoice_;
};

} // namespace synth
