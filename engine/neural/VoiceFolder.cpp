// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/neural/VoiceFolder.h"

#include "engine/neural/OnnxMetadata.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>

namespace neural {

namespace {

namespace fs = std::filesystem;

constexpr int MostSpeakers = 10000;
// A model card names its licence near the top; a long file is not read to its end.
constexpr int MostModelCardLines = 200;

fs::path onlyModelIn(const fs::path& folder)
{
    std::vector<fs::path> models;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error))
        if (entry.path().extension() == ".onnx" && entry.is_regular_file())
            models.push_back(entry.path());
    if (models.size() == 1)
        return models.front();
    throw VoiceFolderError(models.empty() ? "it holds no .onnx model"
                                          : "it holds more than one .onnx model");
}

int numberIn(const std::map<std::string, std::string>& metadata, const std::string& key,
             int fallback, int lowest, int highest)
{
    const auto found = metadata.find(key);
    if (found == metadata.end())
        return fallback;
    int value = 0;
    const std::string& text = found->second;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < lowest ||
        value > highest)
        throw VoiceFolderError("the model's " + key + " \"" + text + "\" is not usable");
    return value;
}

std::string textIn(const std::map<std::string, std::string>& metadata, const std::string& key)
{
    const auto found = metadata.find(key);
    return found == metadata.end() ? std::string() : found->second;
}

std::vector<std::string> splitAtCommas(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        parts.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return parts;
}

std::string lexiconsIn(const fs::path& folder)
{
    std::vector<std::string> lexicons;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("lexicon") && entry.path().extension() == ".txt")
            lexicons.push_back(entry.path().string());
    }
    std::sort(lexicons.begin(), lexicons.end());
    std::string joined;
    for (const std::string& lexicon : lexicons)
        joined += (joined.empty() ? "" : ",") + lexicon;
    return joined;
}

bool isNonEmptyFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error) && fs::file_size(path, error) > 0 && !error;
}

// Piper's model cards name the licence in a line "* License: ...".
std::string modelCardLicence(const fs::path& card)
{
    std::ifstream lines(card);
    std::string line;
    for (int read = 0; read < MostModelCardLines && std::getline(lines, line); ++read) {
        const std::size_t key = line.find("License:");
        if (key != std::string::npos && line.find_first_not_of("*- \t") == key) {
            const std::size_t start = line.find_first_not_of(' ', key + 8);
            return start == std::string::npos ? std::string() : line.substr(start);
        }
    }
    return {};
}

} // namespace

VoiceFolder readVoiceFolder(const fs::path& folder, const fs::path& systemEspeakData)
{
    VoiceFolder voice{.folder = folder, .model = onlyModelIn(folder)};
    voice.tokens = folder / "tokens.txt";
    if (!isNonEmptyFile(voice.tokens))
        throw VoiceFolderError("it has no tokens.txt");
    if (isNonEmptyFile(folder / "voices.bin")) {
        voice.kind = VoiceFolder::Kind::Kokoro;
        voice.styles = folder / "voices.bin";
        voice.lexicons = lexiconsIn(folder);
    }
    const std::map<std::string, std::string> metadata = readOnnxMetadata(voice.model);
    if (voice.kind == VoiceFolder::Kind::Piper && textIn(metadata, "comment") != "piper")
        throw VoiceFolderError("the model is not a Piper voice");
    if (!metadata.contains("sample_rate"))
        throw VoiceFolderError("the model does not say its sample rate");
    voice.sampleRate = numberIn(metadata, "sample_rate", 0, 8000, 192000);
    voice.speakers = numberIn(metadata, "n_speakers", 1, 0, MostSpeakers);
    voice.speakers = std::max(voice.speakers, 1);
    voice.language = textIn(metadata, "language");
    voice.espeakVoice = textIn(metadata, "voice");
    voice.speakerNames = splitAtCommas(textIn(metadata, "speaker_names"));
    if (voice.speakerNames.size() != static_cast<std::size_t>(voice.speakers))
        voice.speakerNames.clear();
    voice.licence = textIn(metadata, "license");
    if (voice.licence.empty())
        voice.licence = modelCardLicence(folder / "MODEL_CARD");
    std::error_code error;
    voice.espeakData = fs::is_directory(folder / "espeak-ng-data", error)
                           ? folder / "espeak-ng-data"
                           : systemEspeakData;
    return voice;
}

} // namespace neural
