// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/SpeechEngine.h"

#include <memory>
#include <QStringList>
#include <set>
#include <vector>

namespace testsupport {

// A speech engine that records every call its voice objects get, in order, as short lines such
// as "create", "voice en", "rate 3", "rate?", "speak Hello", "release".
class FakeSpeechEngine final : public speech::SpeechEngine {
public:
    // Descriptions of the voices GetVoices lists; a token's id is its description.
    explicit FakeSpeechEngine(QStringList voiceNames = {QStringLiteral("Anna"),
                                                        QStringLiteral("Ben"),
                                                        QStringLiteral("Cleo")});

    std::unique_ptr<speech::Voice> CreateVoice() override;
    std::shared_ptr<speech::FileStream> CreateFileStream(speech::AudioFileType type) override;
    // Records "reload voices"; the voices listed are the tokens the test put there.
    void ReloadVoices() override;
    // The first voice.
    speech::VoiceTokenPtr StandInFor(const speech::VoiceTokenPtr& gone) override;

    // Calls whose name is in this set throw, with the call's line as message.
    std::set<QString> failing;
    QStringList calls;
    // The type of each file stream made, in order.
    std::vector<speech::AudioFileType> streamTypes;
    speech::VoiceTokens tokens;
    // The voice object made last, while it lives; a test sends its audio levels through it.
    class FakeVoice* current = nullptr;

    void sendAudioLevel(int level);
    void sendWord(long stream, qsizetype position);
    void sendEndStream(long stream);
    // The calls since the last "create", without it.
    QStringList callsOfCurrentVoice() const;
};

} // namespace testsupport
