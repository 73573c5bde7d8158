// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/SpeakAtOnce.h"

#include "speech/VoiceHolder.h"

#include <limits>

namespace live {

bool speakAtOnce(speech::VoiceHolder& voice, const QString& text, int flags)
{
    if (voice.IsExporting())
        return false;
    try {
        voice->Skip(QStringLiteral("Sentence"), std::numeric_limits<int>::max());
    } catch (const std::exception&) {
        return false;
    }
    voice->Speak(text, speech::Voice::SpeakAsync | flags);
    return true;
}

} // namespace live
