// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/ParallelRendering.h"
#include "engine/PlaybackQueue.h"
#include "engine/SpeechText.h"
#include "engine/SynthService.h"
#include "engine/WordSoundFile.h"
#include "speech/Voice.h"

#include <deque>
#include <optional>
#include <QObject>
#include <QTimer>

namespace audio {
class SampleSink;
}

namespace engine {

class HelperEngine;

// A voice object over the synthesis helpers: espeak-ng's, or a neural voice's, as its voice is.
// Texts queue as items; each is cut into pieces that the helper renders a little ahead of playback,
// or as fast as it can into a file. The helper speaks a piece up to one of its own sentence starts
// and the item goes on from there, so the pauses are the synthesiser's own. A piece whose helper
// dies is spoken again from the word reached; a rest that kills it again before its next word is
// tried word by word, and a word that still kills it is left out, and WaitUntilDone reports it. A
// long text bound for a file, with nothing queued before it, is rendered in parts by as many
// helpers as the engine allows.
class HelperVoice final : public QObject, public speech::Voice, private SynthListener {
    Q_OBJECT

public:
    HelperVoice(HelperEngine& engine, int lane, audio::PcmSinkFactory sinkFactory);
    ~HelperVoice() override;

    void SetEventInterests(int interests) override { interests_ = interests; }
    int EventInterests() const override { return interests_; }
    speech::VoiceTokens GetVoices(const QString& requiredAttributes,
                                  const QString& optionalAttributes) override;
    void SetVoice(const speech::VoiceTokenPtr& token) override;
    speech::VoiceTokenPtr GetVoice() const override { return voice_; }
    void SetRate(int rate) override;
    int Rate() const override { return rate_; }
    void SetVolume(int volume) override;
    int Volume() const override { return volume_; }

    long Speak(const QString& text, int flags) override;
    long Speak(const speech::DeferredText& text, int flags) override;
    int Skip(const QString& type, int count) override;
    void Pause() override;
    void Resume() override;
    bool WaitUntilDone(int timeoutMs) override;
    // While a text renders in parts, how much of it is rendered.
    qsizetype InputWordPosition() const override;

    void SetAllowAudioOutputFormatChangesOnNextSet(bool allow) override;
    void SetAudioOutputStream(std::shared_ptr<speech::FileStream> stream) override;
    void SetAudioOutput(const speech::VoiceTokenPtr& token) override;

    void SetAudioLevelHandler(AudioLevelHandler handler) override;
    void SetWordHandler(WordHandler handler) override;
    void SetEndStreamHandler(EndStreamHandler handler) override;
    void SetSoundMarkHandler(SoundMarkHandler handler) override;

    // Renders into the sink, at the helper's rate, as into a file.
    void renderInto(std::shared_ptr<audio::SampleSink> sink);
    // False after its helper failed to start, until one starts again.
    bool hasWorkingHelper() const { return service_->isAvailable(); }

private:
    struct Item {
        long stream = 0;
        PieceCutter cutter;
        // The whole of a deferred text, until it is taken.
        std::function<QString()> whole;
        // Null for the voice object's voice, whichever it is when the text is spoken.
        speech::VoiceTokenPtr voice{};

        void takeWhole();
    };
    // A piece cut from its text, the rest of one whose helper died, or a word of a rest that
    // failed again.
    enum class Attempt { First, Again, Word };
    struct Pending {
        long stream = 0;
        SpeechPiece piece;
        Attempt attempt = Attempt::First;
        speech::VoiceTokenPtr voice{};

        bool isWord() const { return attempt == Attempt::Word; }
    };

    void synthAudio(std::span<const std::int16_t> samples) override;
    void synthWord(qsizetype offset) override;
    void synthClauseEnd(qsizetype end) override;
    void synthSentenceEnd(qsizetype nextSentence) override;
    void synthCut(qsizetype restOffset, bool sentenceStarts) override;
    void synthDone() override;
    void synthFailed() override;

    int wordsPerMinute() const;
    bool hasSoundAhead(int seconds);
    bool renderInParts(long stream, const speech::DeferredText& text);
    void advanceParts(int timeoutMs);
    void finishParts();
    void abandonParts();
    void feedSynthesis();
    std::optional<Pending> nextPiece(long onlyStream = 0);
    void finishPiece(const Pending& pending);
    void resumeAfter(const Pending& spoken, qsizetype restOffset);
    void retryRest(const Pending& failed);
    void retryWordByWord(const Pending& failed);
    void writeWordSound();
    bool endsText(const Pending& piece) const;
    void throwFailure();
    int skipPendingSentences(long stream, int count);
    long currentStream();
    long takeEndedStreams();
    bool idle();
    void pump();
    void takeWholeTexts();

    HelperEngine& engine_;
    int lane_;
    // The helper of the voice when the last piece was handed on.
    SynthService* service_;
    speech::VoiceTokenPtr voice_;
    int rate_ = 0;
    int volume_ = MaxVolume;
    int interests_ = 0;
    long lastStream_ = 0;
    // Every stream up to this one has ended and been reported.
    long endedThrough_ = 0;
    std::deque<Item> items_;
    std::deque<Pending> retries_;
    std::optional<Pending> synthesizing_;
    qsizetype wordReached_ = 0;
    qsizetype inputWordPosition_ = 0;
    // Where in the piece being synthesised its current sentence starts.
    qsizetype sentenceReached_ = 0;
    std::optional<std::pair<qsizetype, bool>> cut_;
    // Why part of the text could not be spoken, until WaitUntilDone reports it.
    QString failure_;
    PlaybackQueue playback_;
    QTimer pumpTimer_;
    WordSoundFile file_;
    std::unique_ptr<ParallelRendering> parts_;
    bool allowFormatChanges_ = true;
    AudioLevelHandler audioLevelHandler_;
    WordHandler wordHandler_;
    EndStreamHandler endStreamHandler_;
};

} // namespace engine
