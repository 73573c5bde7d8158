// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace neural {

struct VoiceFolderError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The key and value pairs an ONNX model carries as its metadata. Reads the model's outer message
// only, skipping its graph, so a large model costs no more than a small one; throws
// VoiceFolderError for a file that is not a whole ONNX model.
std::map<std::string, std::string> readOnnxMetadata(const std::filesystem::path& model);

} // namespace neural
