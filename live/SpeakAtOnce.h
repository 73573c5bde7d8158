// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;

namespace speech {
class VoiceHolder;
}

namespace live {

// Cuts short whatever the voice is saying and says the text instead, so it is heard at once.
// A voice that cannot be cut short, or is exporting a file, says nothing, and false is returned; a
// failing Speak throws.
bool speakAtOnce(speech::VoiceHolder& voice, const QString& text, int flags = 0);

} // namespace live
