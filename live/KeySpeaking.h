// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "live/KeySpeakBoxes.h"

#include <cstdint>
#include <functional>

class QString;
class QTextEdit;

namespace speech {
class VoiceHolder;
}

namespace live {

// Speaks and shows the keys the user types anywhere on the desktop, as the boxes choose; keys
// typed while typing is private, as in a password field, are neither spoken nor shown.
class KeySpeaking {
public:
    using PrivacyCheck = std::function<bool()>;

    KeySpeaking(speech::VoiceHolder& voice, const KeySpeakBoxes& boxes, QTextEdit& editor,
                PrivacyCheck typingIsPrivate = {});

    // Handles one key message of the keyboard hook, given its keystroke flags.
    void keyMessage(std::uint32_t lParam);

private:
    void show(const QString& name);

    speech::VoiceHolder& voice_;
    KeySpeakBoxes boxes_;
    QTextEdit& editor_;
    PrivacyCheck typingIsPrivate_;
};

} // namespace live
