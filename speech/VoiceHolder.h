#pragma once

#include "speech/SpeechEngine.h"
#include "speech/Voice.h"

#include <functional>
#include <memory>

namespace speech {

// Holds the one voice object of the window. Release drops it; the next use connects a new one,
// which reports its audio levels to the holder's handler and passes through the connect hook, so
// the owner can give every new voice object its settings.
class VoiceHolder {
public:
    using ConnectHook = std::function<void(Voice&)>;

    explicit VoiceHolder(SpeechEngine& engine);

    Voice* operator->() { return &voice(); }
    Voice& voice();
    void Release();
    bool IsConnected() const { return voice_ != nullptr; }

    void SetConnectHook(ConnectHook hook);
    void SetAudioLevelHandler(Voice::AudioLevelHandler handler);

private:
    SpeechEngine& engine_;
    std::unique_ptr<Voice> voice_;
    ConnectHook connectHook_;
    Voice::AudioLevelHandler audioLevelHandler_;
};

} // namespace speech
