#pragma once

#include "platform/PcmSink.h"
#include "platform/SynthService.h"
#include "speech/SpeechEngine.h"

#include <optional>

namespace platform {

// The speech engine over espeak-ng: voices are espeak-ng's languages, synthesis runs in the
// lectorix-synth helper, sound goes to the sinks the factory makes.
class EspeakEngine final : public speech::SpeechEngine {
public:
    EspeakEngine(QString helperPath, PcmSinkFactory sinkFactory,
                 QString languageTag = systemLanguageTag());

    std::unique_ptr<speech::Voice> CreateVoice() override;
    std::shared_ptr<speech::FileStream> CreateFileStream(speech::AudioFileType type) override;

    // Every installed voice, the one for the language tag first; throws when the helper fails.
    const speech::VoiceTokens& voices();
    SynthService& synthService() { return service_; }

    // lectorix-synth beside the running program.
    static QString defaultHelperPath();
    // The user's language as espeak-ng names languages, such as "en-us".
    static QString systemLanguageTag();

private:
    SynthService service_;
    PcmSinkFactory sinkFactory_;
    QString languageTag_;
    std::optional<speech::VoiceTokens> voices_;
};

} // namespace platform
