// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace voices {

struct InstallError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The user cancelled, so nobody needs to be told why it failed.
struct InstallCancelled : InstallError {
    InstallCancelled()
        : InstallError("The installation was cancelled.")
    {
    }
};

// Told how many of the bytes to unpack are unpacked, and then, while the new voice is checked to
// load, given a count equal to its total; false cancels.
using UnpackProgress = std::function<bool(qint64 done, qint64 total)>;

// How the names of voice archives end; a compressed tar's own ending comes before ".tar".
const QStringList& voiceArchiveSuffixes();

// Unpacks a voice archive as sherpa-onnx publishes them (.tar.bz2, or any tar libarchive reads)
// into `folder`, which must not exist yet. The whole archive is checked before anything is
// written: only regular files and folders, no absolute names, no "..", at most `mostBytes`
// unpacked. Throws InstallError, saying why, and leaves `folder` out when it fails or is cancelled.
void unpackVoiceArchive(const QString& archive, const QString& folder, qint64 mostBytes,
                        const UnpackProgress& progress);

} // namespace voices
