// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/neural/VoiceFolder.h"

#include "engine/neural/OnnxMetadata.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

using namespace neural;
namespace fs = std::filesystem;

namespace {

const fs::path Voices = TEST_VOICES;

std::string contentsOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST(VoiceFolder, AVoiceIsReadFromItsModelsMetadata)
{
    const VoiceFolder duo = readVoiceFolder(Voices / "test-duo", "/system/espeak-ng-data");
    EXPECT_EQ(duo.kind, VoiceFolder::Kind::Piper);
    EXPECT_EQ(duo.model, Voices / "test-duo" / "test-duo.onnx");
    EXPECT_EQ(duo.sampleRate, 16000);
    EXPECT_EQ(duo.speakers, 2);
    EXPECT_EQ(duo.language, "Deutsch");
    EXPECT_EQ(duo.espeakVoice, "de");
    EXPECT_EQ(duo.speakerNames, (std::vector<std::string>{"Anna", "Ben"}));
    // Without espeak-ng data of its own, a voice takes the system's.
    EXPECT_EQ(duo.espeakData, "/system/espeak-ng-data");
}

TEST(VoiceFolder, AFolderThatIsNotAVoiceSaysWhy)
{
    const std::vector<std::pair<std::string, std::string>> folders = {
        {"truncated", "the model file is cut short"},
        {"wrong-metadata", "the model's sample_rate \"fast\" is not usable"},
        {"nonexistent", "it holds no .onnx model"},
    };
    for (const auto& [folder, reason] : folders) {
        try {
            readVoiceFolder(Voices / folder, "/system/espeak-ng-data");
            ADD_FAILURE() << folder;
        } catch (const VoiceFolderError& error) {
            EXPECT_EQ(error.what(), reason);
        }
    }
}

// Every length of a cut model either reads or is refused: nothing is read past the end.
TEST(VoiceFolder, AModelCutAnywhereIsRefusedAndNeverReadPastItsEnd)
{
    const std::string model = contentsOf(Voices / "test-en" / "test-en.onnx");
    const fs::path cut = fs::temp_directory_path() / "lectorix-cut-model.onnx";
    int refused = 0;
    for (std::size_t length = 0; length < model.size(); ++length) {
        std::ofstream(cut, std::ios::binary | std::ios::trunc)
            .write(model.data(), static_cast<long>(length));
        try {
            readOnnxMetadata(cut);
        } catch (const VoiceFolderError&) {
            ++refused;
        }
    }
    fs::remove(cut);
    EXPECT_GT(refused, static_cast<int>(model.size()) * 9 / 10);
    EXPECT_EQ(readOnnxMetadata(Voices / "test-en" / "test-en.onnx").at("comment"), "piper");
}
