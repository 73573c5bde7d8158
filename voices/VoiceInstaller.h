// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "voices/VoiceArchive.h"

#include <functional>
#include <QString>

namespace voices {

// Installs neural voices into the user's voices folder and removes them. A voice is made ready
// in a folder beside the others, checked to load, and only then renamed into place, so a failure
// at any step leaves the voices as they were.
class VoiceInstaller {
public:
    // Whether to replace the installed voice of that name.
    using ReplaceQuestion = std::function<bool(const QString& name)>;

    // Voices unpack to at most this much.
    static constexpr qint64 MostVoiceBytes = qint64{1} << 30;

    // `helperPath` is lectorix-neural, which each new voice must start.
    VoiceInstaller(QString voicesFolder, QString helperPath, qint64 mostBytes = MostVoiceBytes);

    // Installs a voice archive or a voice's folder; returns the voice's name, or throws
    // InstallError, saying why.
    QString install(const QString& source, const ReplaceQuestion& replace,
                    const UnpackProgress& progress = {});
    // Throws InstallError when there is no such voice or it cannot be removed.
    void remove(const QString& name);

private:
    QString unpack(const QString& source, const QString& staging,
                   const UnpackProgress& progress) const;
    void checkLoads(const QString& folder, const UnpackProgress& progress) const;

    QString voicesFolder_;
    QString helperPath_;
    qint64 mostBytes_;
};

} // namespace voices
