// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "voices/VoiceInstaller.h"

class QWidget;

namespace voices {

// What an installation shows while it runs.
struct InstallationTexts {
    QString progress;
    QString cancel;
};

// Installs a voice while the window stays alive: the work runs on a thread of its own behind a
// progress dialog that can cancel it, and the question whether to replace an installed voice is
// asked on the window's thread.
class VoiceInstallation {
public:
    VoiceInstallation(VoiceInstaller& installer, VoiceInstaller::ReplaceQuestion askToReplace);

    // Returns the voice's name; throws InstallError saying why it failed, InstallCancelled when
    // the user cancelled it.
    QString run(QWidget* parent, const QString& source, const InstallationTexts& texts);

private:
    VoiceInstaller& installer_;
    VoiceInstaller::ReplaceQuestion askToReplace_;
};

} // namespace voices
