// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/AudioFileType.h"
#include "speech/FileStream.h"
#include "speech/Voice.h"

#include <memory>

namespace speech {

// Makes the engine's objects. A new voice starts with the engine's own voice, rate and volume and
// no event interests.
class SpeechEngine {
public:
    virtual ~SpeechEngine() = default;

    virtual std::unique_ptr<Voice> CreateVoice() = 0;
    virtual std::shared_ptr<FileStream> CreateFileStream(AudioFileType type) = 0;
    // Lists the installed voices anew, as voices were installed or removed meanwhile.
    virtual void ReloadVoices() = 0;
    // The voice that takes the place of one no longer installed: the engine's first voice of its
    // language, else its first voice.
    virtual VoiceTokenPtr StandInFor(const VoiceTokenPtr& gone) = 0;
};

} // namespace speech
