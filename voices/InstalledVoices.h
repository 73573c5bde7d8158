// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

namespace voices {

// A neural voice as the voice library shows it.
struct InstalledVoice {
    // The name of its folder, which is what removing it takes.
    QString name{};
    QString language{};
    int speakers = 0;
    qint64 bytes = 0;
    // Empty where the voice does not say.
    QString licence{};
    // Why the voice cannot be used; empty when it can.
    QString problem{};
};

// Every voice in the voices folder by name, usable or not, so that a broken one can be removed.
QList<InstalledVoice> installedVoices(const QString& voicesFolder);

// Whether a path given to the window, such as a file dropped on it, is meant to be installed as a
// voice: an archive of the kinds sherpa-onnx publishes voices in, or a folder holding a model.
bool isVoiceSource(const QString& path);

} // namespace voices
