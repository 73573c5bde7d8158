// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace neural {

// A neural voice as sherpa-onnx's converted voices lay it out in a folder: a Piper (VITS) model
// with its tokens, or a Kokoro model that adds its speakers' styles in voices.bin; each may carry
// the espeak-ng data its phonemes come from.
struct VoiceFolder {
    enum class Kind { Piper, Kokoro };

    Kind kind = Kind::Piper;
    std::filesystem::path folder{};
    std::filesystem::path model{};
    std::filesystem::path tokens{};
    // Kokoro only: the speakers' styles, and the lexicons of a voice of several languages,
    // separated by commas.
    std::filesystem::path styles{};
    std::string lexicons{};
    std::filesystem::path espeakData{};
    int sampleRate = 0;
    int speakers = 1;
    // As the model names it, such as "English".
    std::string language{};
    // The espeak-ng voice of its phonemes, such as "en-us".
    std::string espeakVoice{};
    // One for each speaker, where the model names them.
    std::vector<std::string> speakerNames{};
    // Where the model or its model card says it, such as "CC-BY-4.0".
    std::string licence{};
};

// Throws VoiceFolderError, saying why, for a folder that does not hold a usable voice.
// `systemEspeakData` serves a voice without espeak-ng data of its own.
VoiceFolder readVoiceFolder(const std::filesystem::path& folder,
                            const std::filesystem::path& systemEspeakData);

} // namespace neural
