// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/PcmSink.h"
#include "engine/neural/NeuralVoices.h"
#include "engine/SynthService.h"
#include "speech/SpeechEngine.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace engine {

class HelperVoice;

// The speech engine over the synthesis helpers: espeak-ng's languages through lectorix-synth, then
// the user's neural voices, each through a lectorix-neural of its own that holds its model. Sound
// goes to the sinks the factory makes.
class HelperEngine final : public speech::SpeechEngine {
public:
    // lectorix-neural is looked for beside the espeak-ng helper.
    HelperEngine(QString helperPath, audio::PcmSinkFactory sinkFactory,
                 QString languageTag = systemLanguageTag(),
                 QString neuralVoicesFolder = userNeuralVoicesFolder());

    std::unique_ptr<speech::Voice> CreateVoice() override;
    std::shared_ptr<speech::FileStream> CreateFileStream(speech::AudioFileType type) override;
    // The neural voices are listed anew; a helper holding a voice's model ends once idle, so a
    // replaced voice is loaded anew.
    void ReloadVoices() override;
    speech::VoiceTokenPtr StandInFor(const speech::VoiceTokenPtr& gone) override;

    // Every installed voice: espeak-ng's, the one for the language tag first, then the neural
    // ones; throws when the espeak-ng helper fails.
    const speech::VoiceTokens& voices();
    // The espeak-ng helper of the first lane.
    SynthService& synthService() { return service_; }
    // What speaks a typed key for the voice: the voice itself, or for a neural voice the espeak-ng
    // voice of its language, which starts speaking within milliseconds.
    speech::VoiceTokenPtr typedKeyVoice(const speech::VoiceTokenPtr& voice);
    // The helper that speaks the voice in the lane; an unknown or null voice is espeak-ng's.
    SynthService& serviceFor(int lane, const speech::VoiceToken* voice);

    // How many helpers a long text rendered into a file may keep busy side by side: one for each
    // core, unless set otherwise, and no more than MostLanes, as each holds a megabyte of pipe; a
    // neural voice's lanes each hold its model too, so no more than memory allows.
    static constexpr int MostLanes = 8;
    int synthesisLanes(const speech::VoiceToken* voice = nullptr) const;
    void setSynthesisLanes(int lanes);
    // A voice object that synthesises through the helpers of its lane; lane 0 is the one every
    // other voice object uses, the others start when first asked for.
    std::unique_ptr<HelperVoice> createLaneVoice(int lane);

    // The running program's lectorix-synth.
    static QString defaultHelperPath();
    // The user's language as espeak-ng names languages, such as "en-us".
    static QString systemLanguageTag();

private:
    SynthService& laneService(int lane);
    // The espeak-ng voice of the language, such as "en-us": the exact one, else the one of its
    // base language, else the first.
    speech::VoiceTokenPtr espeakVoiceOf(const QString& language);

    QString helperPath_;
    QString neuralHelperPath_;
    SynthService service_;
    std::vector<std::unique_ptr<SynthService>> otherLanes_;
    // By lane and voice folder.
    std::map<std::pair<int, QString>, std::unique_ptr<SynthService>> neuralServices_;
    int lanes_;
    audio::PcmSinkFactory sinkFactory_;
    QString languageTag_;
    QString neuralVoicesFolder_;
    std::optional<speech::VoiceTokens> voices_;
};

} // namespace engine
