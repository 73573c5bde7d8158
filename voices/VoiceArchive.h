// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <QString>
#include <stdexcept>

namespace voices {

struct InstallError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Told how many of the bytes to unpack are unpacked; false cancels.
using UnpackProgress = std::function<bool(qint64 done, qint64 total)>;

// Unpacks a voice archive as sherpa-onnx publishes them (.tar.bz2, or any tar libarchive reads)
// into `folder`, which must not exist yet. The whole archive is checked before anything is
// written: only regular files and folders, no absolute names, no "..", at most `mostBytes`
// unpacked. Throws InstallError, saying why, and leaves `folder` out when it fails or is cancelled.
void unpackVoiceArchive(const QString& archive, const QString& folder, qint64 mostBytes,
                        const UnpackProgress& progress);

} // namespace voices
