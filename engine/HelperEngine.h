// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/PcmSink.h"
#include "engine/SynthService.h"
#include "speech/SpeechEngine.h"

#include <memory>
#include <optional>
#include <vector>

namespace engine {

class HelperVoice;

// The speech engine over espeak-ng: voices are espeak-ng's languages, synthesis runs in the
// lectorix-synth helper, sound goes to the sinks the factory makes.
class HelperEngine final : public speech::SpeechEngine {
public:
    HelperEngine(QString helperPath, audio::PcmSinkFactory sinkFactory,
                 QString languageTag = systemLanguageTag());

    std::unique_ptr<speech::Voice> CreateVoice() override;
    std::shared_ptr<speech::FileStream> CreateFileStream(speech::AudioFileType type) override;

    // Every installed voice, the one for the language tag first; throws when the helper fails.
    const speech::VoiceTokens& voices();
    SynthService& synthService() { return service_; }

    // How many helpers a long text rendered into a file may keep busy side by side: one for each
    // core, unless set otherwise, and no more than MostLanes, as each holds a megabyte of pipe.
    static constexpr int MostLanes = 8;
    int synthesisLanes() const { return lanes_; }
    void setSynthesisLanes(int lanes);
    // A voice object that synthesises through the helper of its lane; lane 0 is the one every
    // other voice object uses, the others start when first asked for.
    std::unique_ptr<HelperVoice> createLaneVoice(int lane);

    // The running program's lectorix-synth.
    static QString defaultHelperPath();
    // The user's language as espeak-ng names languages, such as "en-us".
    static QString systemLanguageTag();

private:
    SynthService& laneService(int lane);

    QString helperPath_;
    SynthService service_;
    std::vector<std::unique_ptr<SynthService>> otherLanes_;
    int lanes_;
    audio::PcmSinkFactory sinkFactory_;
    QString languageTag_;
    std::optional<speech::VoiceTokens> voices_;
};

} // namespace engine
