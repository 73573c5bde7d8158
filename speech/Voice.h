// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/FileStream.h"
#include "speech/VoiceToken.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <QString>

namespace speech {

struct AudioLevelEvent {
    long streamNumber = 0;
    std::int64_t streamPosition = 0;
    int level = 0;
};

// A word of a stream has begun to be heard: where it starts in the text that was spoken.
struct WordEvent {
    long streamNumber = 0;
    qsizetype characterPosition = 0;
};

// The sound of the text from a character on starts at a time of the file being spoken into: each
// word's start gives one, and so does the text's end, where the file's sound ends.
struct SoundMark {
    qsizetype characterPosition = 0;
    double seconds = 0;
};

// A text whose beginning is at hand and whose whole costs time to take, such as a long document:
// a voice may start speaking the beginning and take the whole once its sound has started.
struct DeferredText {
    QString beginning;
    // Empty when the beginning is the whole text.
    std::function<QString()> whole;

    QString taken() const { return whole ? whole() : beginning; }
};

// A voice object: one speaker with its own queue of texts, voice, rate, volume and output.
class Voice {
public:
    static constexpr int SpeakAsync = 1;
    // The text is a typed key: it is spoken by the engine's quickest voice of the chosen voice's
    // language, as a key must be heard while the next is typed.
    static constexpr int SpeakTypedKey = 0x10000;
    static constexpr int EndStreamInterest = 0x4;
    static constexpr int WordBoundaryInterest = 0x20;
    static constexpr int AudioLevelInterest = 0x200;
    static constexpr int AllEventInterests = 33790;
    static constexpr int MinRate = -10;
    static constexpr int MaxRate = 10;
    static constexpr int MaxVolume = 100;

    using AudioLevelHandler = std::function<void(const AudioLevelEvent&)>;
    using WordHandler = std::function<void(const WordEvent&)>;
    using EndStreamHandler = std::function<void(long streamNumber)>;
    using SoundMarkHandler = std::function<void(const SoundMark&)>;

    virtual ~Voice() = default;

    virtual void SetEventInterests(int interests) = 0;
    virtual int EventInterests() const = 0;
    // Only empty attribute lists are understood; they list every voice.
    virtual VoiceTokens GetVoices(const QString& requiredAttributes,
                                  const QString& optionalAttributes) = 0;
    virtual void SetVoice(const VoiceTokenPtr& token) = 0;
    virtual VoiceTokenPtr GetVoice() const = 0;
    virtual void SetRate(int rate) = 0;
    virtual int Rate() const = 0;
    virtual void SetVolume(int volume) = 0;
    virtual int Volume() const = 0;

    // Queues the text and returns its stream number; without SpeakAsync it returns once spoken.
    virtual long Speak(const QString& text, int flags) = 0;
    virtual long Speak(const DeferredText& text, int flags) { return Speak(text.taken(), flags); }
    // Cuts the text being spoken short by up to `count` sentences; returns how many were skipped.
    virtual int Skip(const QString& type, int count) = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // A negative timeout waits without limit; returns whether everything queued was rendered.
    virtual bool WaitUntilDone(int timeoutMs) = 0;
    // Where the word rendered last begins in the text of its stream.
    virtual qsizetype InputWordPosition() const = 0;

    virtual void SetAllowAudioOutputFormatChangesOnNextSet(bool allow) = 0;
    virtual void SetAudioOutputStream(std::shared_ptr<FileStream> stream) = 0;
    // A null token returns output to the default audio device.
    virtual void SetAudioOutput(const VoiceTokenPtr& token) = 0;

    // Runs on the user-interface thread while the sound plays, when the interests ask for it.
    virtual void SetAudioLevelHandler(AudioLevelHandler handler) = 0;
    // Runs on the user-interface thread as the first sound of a word is heard, when the interests
    // ask for it; words that go by between two calls are passed over for the newest.
    virtual void SetWordHandler(WordHandler handler) = 0;
    // Runs on the user-interface thread once the last sound of a stream is heard, or once it is
    // skipped, when the interests ask for it.
    virtual void SetEndStreamHandler(EndStreamHandler handler) = 0;
    // Runs as the sound of each word of a text spoken into a file is written, and at the text's
    // end; positions are the text's. A word that reaches the file twice, as after a helper's
    // failure, is marked twice: the later mark holds.
    virtual void SetSoundMarkHandler(SoundMarkHandler handler) = 0;
};

} // namespace speech
