// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/helper/Synthesizer.h"
#include "engine/neural/helper/PhonemeCounter.h"
#include "engine/neural/VoiceFolder.h"

#include <memory>

struct SherpaOnnxOfflineTts;

namespace neural {

// A neural voice through sherpa-onnx. Each text is spoken a sentence at a time, so its sound is
// sent while the next sentence is made; within a sentence each word is given its share of the
// sound by its phonemes, which is where the voice speaks it as nearly as can be known without the
// model's own durations.
class NeuralSynthesizer final : public synth::Synthesizer {
public:
    // Throws VoiceFolderError when the library cannot load the voice.
    NeuralSynthesizer(VoiceFolder voice, int threads);
    ~NeuralSynthesizer() override;
    NeuralSynthesizer(const NeuralSynthesizer&) = delete;
    NeuralSynthesizer& operator=(const NeuralSynthesizer&) = delete;

    int sampleRate() const override { return sampleRate_; }
    // One for each speaker, named by its number.
    std::vector<synth::VoiceInfo> voices(const std::string& languageTag) const override;
    // Stops after the first sentence that ends past SentenceCutOffset, as espeak-ng's helper does.
    static constexpr std::uint32_t SentenceCutOffset = 1000;
    bool synthesize(const synth::Message& request, const Output& output) override;

private:
    struct Sentence;

    std::vector<float> generate(const std::string& text, int speaker, float speed,
                                const Output& output, bool& stopped) const;
    void deliver(const Sentence& sentence, std::vector<float> sound, const Output& output) const;

    VoiceFolder voice_;
    PhonemeCounter phonemes_;
    const SherpaOnnxOfflineTts* tts_ = nullptr;
    int sampleRate_ = 0;
};

} // namespace neural
