// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/VoiceToken.h"

namespace engine {

// A voice of one of the synthesis helpers: an espeak-ng voice, or a speaker of a neural voice.
class HelperVoiceToken final : public speech::VoiceToken {
public:
    struct Neural {
        QString folder;
        // The espeak-ng voice of its language, such as "en-us".
        QString espeakLanguage;
    };

    HelperVoiceToken(QString id, QString description, QString helperVoice, Neural neural = {})
        : id_(std::move(id))
        , description_(std::move(description))
        , helperVoice_(std::move(helperVoice))
        , neural_(std::move(neural))
    {
    }

    QString Id() const override { return id_; }
    QString GetDescription(int) const override { return description_; }

    // What the helper is told to speak with: espeak-ng's identifier, or the speaker's number.
    const QString& helperVoice() const { return helperVoice_; }
    bool isNeural() const { return !neural_.folder.isEmpty(); }
    const Neural& neural() const { return neural_; }
    // What a neural voice is; null for espeak-ng's voices and any other token.
    static const Neural* neuralOf(const speech::VoiceToken* token)
    {
        const auto* voice = dynamic_cast<const HelperVoiceToken*>(token);
        return voice && voice->isNeural() ? &voice->neural_ : nullptr;
    }

private:
    QString id_;
    QString description_;
    QString helperVoice_;
    Neural neural_;
};

} // namespace engine
