// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/VoiceHolder.h"

namespace speech {

VoiceHolder::VoiceHolder(SpeechEngine& engine)
    : engine_(engine)
{
}

Voice& VoiceHolder::voice()
{
    if (!voice_) {
        voice_ = engine_.CreateVoice();
        ++generation_;
        voice_->SetAudioLevelHandler(audioLevelHandler_);
        voice_->SetWordHandler(wordHandler_);
        voice_->SetEndStreamHandler(endStreamHandler_);
        if (connectHook_)
            connectHook_(*voice_);
    }
    return *voice_;
}

void VoiceHolder::Release()
{
    if (!voice_)
        return;
    ++generation_;
    voice_.reset();
    if (releaseHook_)
        releaseHook_();
}

void VoiceHolder::SetConnectHook(ConnectHook hook)
{
    connectHook_ = std::move(hook);
}

void VoiceHolder::SetReleaseHook(ReleaseHook hook)
{
    releaseHook_ = std::move(hook);
}

void VoiceHolder::SetAudioLevelHandler(Voice::AudioLevelHandler handler)
{
    audioLevelHandler_ = std::move(handler);
    if (voice_)
        voice_->SetAudioLevelHandler(audioLevelHandler_);
}

void VoiceHolder::SetWordHandler(Voice::WordHandler handler)
{
    wordHandler_ = std::move(handler);
    if (voice_)
        voice_->SetWordHandler(wordHandler_);
}

void VoiceHolder::SetEndStreamHandler(Voice::EndStreamHandler handler)
{
    endStreamHandler_ = std::move(handler);
    if (voice_)
        voice_->SetEndStreamHandler(endStreamHandler_);
}

} // namespace speech
