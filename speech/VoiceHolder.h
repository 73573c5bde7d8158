// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/SpeechEngine.h"
#include "speech/Voice.h"

#include <functional>
#include <memory>

namespace speech {

// Holds the one voice object of the window. Release drops it; the next use connects a new one,
// which reports its audio levels, words and stream ends to the holder's handlers and passes
// through the connect hook, so the owner can give every new voice object its settings.
class VoiceHolder {
public:
    using ConnectHook = std::function<void(Voice&)>;
    using ReleaseHook = std::function<void()>;

    explicit VoiceHolder(SpeechEngine& engine);

    Voice* operator->() { return &voice(); }
    Voice& voice();
    void Release();
    bool IsConnected() const { return voice_ != nullptr; }
    // Counts the voice objects made and released, so a user can tell that its voice object went.
    quint64 Generation() const { return generation_; }
    // While a file is exported through the voice object, nothing else may cut it short.
    void SetExporting(bool exporting) { exporting_ = exporting; }
    bool IsExporting() const { return exporting_; }

    void SetConnectHook(ConnectHook hook);
    // Runs once a voice object has gone, and its events with it.
    void SetReleaseHook(ReleaseHook hook);
    void SetAudioLevelHandler(Voice::AudioLevelHandler handler);
    void SetWordHandler(Voice::WordHandler handler);
    void SetEndStreamHandler(Voice::EndStreamHandler handler);

private:
    SpeechEngine& engine_;
    std::unique_ptr<Voice> voice_;
    ConnectHook connectHook_;
    ReleaseHook releaseHook_;
    Voice::AudioLevelHandler audioLevelHandler_;
    Voice::WordHandler wordHandler_;
    Voice::EndStreamHandler endStreamHandler_;
    quint64 generation_ = 0;
    bool exporting_ = false;
};

} // namespace speech
