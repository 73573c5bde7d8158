// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/HelperVoice.h"

#include "audio/SampleFile.h"
#include "engine/HelperEngine.h"
#include "engine/HelperVoiceToken.h"
#include "engine/SpeechText.h"

#include <cmath>
#include <QDebug>
#include <QElapsedTimer>
#include <QPointer>
#include <QThread>
#include <stdexcept>
#include <utility>

namespace engine {

namespace {

constexpr int NormalWordsPerMinute = 175;
constexpr int PumpIntervalMs = 20;
constexpr int SecondsSynthesisedAhead = 2;
// A neural voice may take a second or more for a long sentence; the next piece's first sentence
// must be made before the sound ahead of it runs out.
constexpr int SecondsSynthesisedAheadOfNeural = 8;

} // namespace

HelperVoice::HelperVoice(HelperEngine& engine, int lane, audio::PcmSinkFactory sinkFactory)
    : engine_(engine)
    , lane_(lane)
    , service_(&engine.serviceFor(lane, nullptr))
    , playback_(std::move(sinkFactory))
{
    const speech::VoiceTokens& voices = engine_.voices();
    if (!voices.empty())
        voice_ = voices.front();
    pumpTimer_.setInterval(PumpIntervalMs);
    connect(&pumpTimer_, &QTimer::timeout, this, &HelperVoice::pump);
}

// Releasing the voice object silences it at once: the sink goes with the playback queue.
HelperVoice::~HelperVoice()
{
    service_->cancel(*this);
}

speech::VoiceTokens HelperVoice::GetVoices(const QString& requiredAttributes,
                                           const QString& optionalAttributes)
{
    if (!requiredAttributes.isEmpty() || !optionalAttributes.isEmpty())
        throw std::invalid_argument("Voice attributes are not supported");
    return engine_.voices();
}

void HelperVoice::SetVoice(const speech::VoiceTokenPtr& token)
{
    if (!token)
        throw std::invalid_argument("No voice given");
    voice_ = token;
    // A neural voice loads its model meanwhile, so the first text need not wait for it.
    engine_.serviceFor(lane_, voice_.get()).start();
}

// Out-of-range values are taken as the nearest end, so a stored value from elsewhere still works.
void HelperVoice::SetRate(int rate)
{
    rate_ = std::clamp(rate, MinRate, MaxRate);
}

void HelperVoice::SetVolume(int volume)
{
    volume_ = std::clamp(volume, 0, MaxVolume);
}

// Only sound already made counts, so nothing waits for a helper to start.
bool HelperVoice::hasSoundAhead(int seconds)
{
    const qint64 ahead = playback_.samplesAhead();
    return ahead > 0 && ahead > qint64{service_->sampleRate()} * seconds;
}

// Each ten steps of rate triple or third the voice's normal speed.
int HelperVoice::wordsPerMinute() const
{
    return static_cast<int>(std::lround(NormalWordsPerMinute * std::pow(3.0, rate_ / 10.0)));
}

long HelperVoice::Speak(const QString& text, int flags)
{
    return Speak(speech::DeferredText{text, {}}, flags);
}

long HelperVoice::Speak(const speech::DeferredText& text, int flags)
{
    const long stream = ++lastStream_;
    if (idle())
        inputWordPosition_ = 0;
    if (!renderInParts(stream, text))
        items_.push_back({stream, PieceCutter(text.beginning), text.whole,
                          flags & SpeakTypedKey ? engine_.typedKeyVoice(voice_) : nullptr});
    feedSynthesis();
    pumpTimer_.start();
    if (!(flags & SpeakAsync))
        WaitUntilDone(-1);
    return stream;
}

// Only a text known whole, bound for a file, with nothing before it: parts of texts in a queue
// would need to wait for each other.
bool HelperVoice::renderInParts(long stream, const speech::DeferredText& text)
{
    if (!file_.isOpen() || text.whole || !idle() || engine_.synthesisLanes(voice_.get()) < 2)
        return false;
    std::vector<SpeechPiece> parts =
        cutAtParagraphEnds(text.beginning, ParallelRendering::PartLength);
    if (parts.size() < 2)
        return false;
    parts_ = std::make_unique<ParallelRendering>(
        engine_, *this, stream, text.beginning, std::move(parts), file_.sink(), file_.samples(),
        [this](const speech::SoundMark& mark) { file_.report(mark); });
    return true;
}

void HelperVoice::advanceParts(int timeoutMs)
{
    if (parts_ && parts_->advance(timeoutMs))
        finishParts();
}

void HelperVoice::finishParts()
{
    if (failure_.isEmpty())
        failure_ = parts_->failure();
    inputWordPosition_ = parts_->charactersRendered();
    file_.continueAfter(parts_->samplesInSink());
    parts_.reset();
    feedSynthesis();
}

// The output changes while a text renders in parts: what is written stays, and the rest of the
// text goes to the new output, as the rest of a text spoken by one helper would.
void HelperVoice::abandonParts()
{
    if (!parts_)
        return;
    Item rest{parts_->stream(), PieceCutter(parts_->text()), {}};
    rest.cutter.resumeAt(parts_->unwrittenStart());
    inputWordPosition_ = parts_->unwrittenStart();
    file_.continueAfter(parts_->samplesInSink());
    parts_.reset();
    items_.push_front(std::move(rest));
}

qsizetype HelperVoice::InputWordPosition() const
{
    return parts_ ? parts_->charactersRendered() : inputWordPosition_;
}

void HelperVoice::feedSynthesis()
{
    while (!synthesizing_ && !parts_) {
        const bool neural = HelperVoiceToken::neuralOf(voice_.get()) != nullptr;
        if (!file_.isOpen() &&
            hasSoundAhead(neural ? SecondsSynthesisedAheadOfNeural : SecondsSynthesisedAhead))
            return;
        std::optional<Pending> pending = nextPiece();
        if (!pending)
            return;
        if (pending->piece.text.trimmed().isEmpty()) {
            finishPiece(*pending);
            continue;
        }
        synthesizing_ = std::move(pending);
        wordReached_ = 0;
        sentenceReached_ = 0;
        const speech::VoiceTokenPtr& voice = synthesizing_->voice ? synthesizing_->voice : voice_;
        service_ = &engine_.serviceFor(lane_, voice.get());
        const auto* helperVoice = dynamic_cast<const HelperVoiceToken*>(voice.get());
        service_->submit({helperVoice ? helperVoice->helperVoice() : QString(), wordsPerMinute(),
                          synthesizing_->piece.text, synthesizing_->piece.endsSentence},
                         *this);
    }
}

// Pieces to retry word by word come first, then the next piece of the oldest text.
std::optional<HelperVoice::Pending> HelperVoice::nextPiece(long onlyStream)
{
    if (!retries_.empty() && (!onlyStream || retries_.front().stream == onlyStream)) {
        Pending pending = std::move(retries_.front());
        retries_.pop_front();
        return pending;
    }
    while (!items_.empty() && (!onlyStream || items_.front().stream == onlyStream)) {
        Item& item = items_.front();
        if (item.cutter.nextReachesEnd())
            item.takeWhole();
        if (!item.cutter.atEnd())
            return Pending{item.stream, item.cutter.next(), Attempt::First, item.voice};
        items_.pop_front();
    }
    return std::nullopt;
}

void HelperVoice::Item::takeWhole()
{
    if (whole)
        cutter.extendTo(std::exchange(whole, {})());
}

void HelperVoice::finishPiece(const Pending& pending)
{
    if (!file_.isOpen()) {
        if (pending.piece.endsSentence)
            playback_.endSentence(pending.stream);
        return;
    }
    file_.endWords(volume_, service_->sampleRate());
    if (endsText(pending))
        file_.markEnd(pending.piece.start + pending.piece.text.size(), service_->sampleRate());
}

bool HelperVoice::endsText(const Pending& piece) const
{
    const auto sameText = [&](const auto& other) { return other.stream == piece.stream; };
    return std::none_of(retries_.begin(), retries_.end(), sameText) &&
           std::none_of(items_.begin(), items_.end(), [&](const Item& item) {
               return sameText(item) && (item.whole || !item.cutter.atEnd());
           });
}

void HelperVoice::synthAudio(std::span<const std::int16_t> samples)
{
    if (file_.isOpen()) {
        file_.append(samples);
        return;
    }
    const bool wasSilent = playback_.currentStream() == 0;
    playback_.append(synthesizing_->stream, samples, service_->sampleRate());
    // The first sound need not wait for the next tick.
    if (wasSilent)
        QMetaObject::invokeMethod(this, &HelperVoice::pump, Qt::QueuedConnection);
}

void HelperVoice::writeWordSound()
{
    file_.writeWord(volume_, service_->sampleRate());
}

void HelperVoice::synthWord(qsizetype offset)
{
    wordReached_ = offset;
    inputWordPosition_ = synthesizing_->piece.start + offset;
    if (file_.isOpen())
        file_.startWord(inputWordPosition_, volume_, service_->sampleRate());
    else
        playback_.startWord(synthesizing_->stream, inputWordPosition_);
}

// A helper that dies while it prepares the next clause has spoken this one whole.
void HelperVoice::synthClauseEnd(qsizetype end)
{
    writeWordSound();
    wordReached_ = std::max(wordReached_, end);
}

void HelperVoice::synthSentenceEnd(qsizetype nextSentence)
{
    file_.endWords(volume_, service_->sampleRate());
    sentenceReached_ = nextSentence;
    if (!file_.isOpen())
        playback_.endSentence(synthesizing_->stream);
}

void HelperVoice::synthCut(qsizetype restOffset, bool sentenceStarts)
{
    cut_ = {restOffset, sentenceStarts};
}

void HelperVoice::synthDone()
{
    writeWordSound();
    Pending done = std::move(*synthesizing_);
    synthesizing_.reset();
    if (const auto cut = std::exchange(cut_, std::nullopt);
        cut && cut->first > 0 && cut->first < done.piece.text.size()) {
        resumeAfter(done, cut->first);
        done.piece.endsSentence = cut->second;
    }
    finishPiece(done);
    feedSynthesis();
}

// What the helper left of a piece is spoken next: a word's rest as a word of its own, a piece's
// rest with the text that follows it.
void HelperVoice::resumeAfter(const Pending& spoken, qsizetype restOffset)
{
    const SpeechPiece& piece = spoken.piece;
    if (spoken.isWord()) {
        retries_.push_front(
            {spoken.stream,
             {piece.text.mid(restOffset), piece.start + restOffset, piece.endsSentence},
             Attempt::Word,
             spoken.voice});
    } else if (!items_.empty() && items_.front().stream == spoken.stream) {
        items_.front().cutter.resumeAt(piece.start + restOffset);
    }
}

// What was heard of the piece stays and the rest is spoken again from the word reached. A rest that
// fails again before its next word goes word by word, and a single word that fails is left out.
// Without a working helper, the queued texts go.
void HelperVoice::synthFailed()
{
    const Pending failed = std::move(*synthesizing_);
    synthesizing_.reset();
    cut_.reset();
    file_.dropWordSound();
    if (!service_->isAvailable()) {
        items_.clear();
        retries_.clear();
        failure_ = QStringLiteral("The speech engine stopped: %1").arg(service_->lastError());
        // Reading aloud shows no message, so a voice that cannot speak is named here too.
        qWarning().noquote() << failure_;
    } else if (failed.isWord()) {
        failure_ = QStringLiteral("The speech engine could not speak \"%1\"")
                       .arg(failed.piece.text.trimmed().left(40));
        finishPiece(failed);
    } else if (failed.attempt == Attempt::Again && wordReached_ == 0) {
        retryWordByWord(failed);
    } else {
        retryRest(failed);
    }
    feedSynthesis();
}

// Spoken whole, the rest keeps espeak-ng's own cadence, which word by word it would not.
void HelperVoice::retryRest(const Pending& failed)
{
    const SpeechPiece& piece = failed.piece;
    retries_.push_front(
        {failed.stream,
         {piece.text.mid(wordReached_), piece.start + wordReached_, piece.endsSentence},
         Attempt::Again,
         failed.voice});
}

void HelperVoice::retryWordByWord(const Pending& failed)
{
    const QString& text = failed.piece.text;
    const qsizetype end = likelySentenceEnd(text, wordReached_);
    const bool wholePiece = end == text.size();
    const SpeechPiece rest{text.mid(wordReached_, end - wordReached_),
                           failed.piece.start + wordReached_,
                           wholePiece ? failed.piece.endsSentence : true};
    const std::vector<SpeechPiece> words = splitIntoWords(rest);
    for (auto word = words.rbegin(); word != words.rend(); ++word)
        retries_.push_front({failed.stream, *word, Attempt::Word, failed.voice});
    if (!wholePiece)
        resumeAfter(failed, end);
}

long HelperVoice::currentStream()
{
    if (const long playing = playback_.currentStream())
        return playing;
    if (parts_)
        return parts_->stream();
    if (synthesizing_)
        return synthesizing_->stream;
    if (!retries_.empty())
        return retries_.front().stream;
    return items_.empty() ? 0 : items_.front().stream;
}

int HelperVoice::Skip(const QString& type, int count)
{
    if (type.compare(QStringLiteral("Sentence"), Qt::CaseInsensitive) != 0)
        throw std::invalid_argument("Only sentences can be skipped");
    const long stream = currentStream();
    if (count <= 0 || stream == 0)
        return 0;
    int skipped = playback_.skipSentences(stream, count);
    if (skipped < count)
        skipped += skipPendingSentences(stream, count - skipped);
    feedSynthesis();
    return skipped;
}

// Drops the stream's pieces not yet heard, through `count` sentence ends.
int HelperVoice::skipPendingSentences(long stream, int count)
{
    int skipped = 0;
    if (synthesizing_ && synthesizing_->stream == stream) {
        service_->cancel(*this);
        const Pending cancelled = std::move(*synthesizing_);
        synthesizing_.reset();
        cut_.reset();
        file_.dropWords();
        if (cancelled.isWord())
            skipped += cancelled.piece.endsSentence ? 1 : 0;
        else
            resumeAfter(cancelled, sentenceReached_);
    }
    while (skipped < count && !retries_.empty() && retries_.front().stream == stream) {
        const Pending retry = std::move(retries_.front());
        retries_.pop_front();
        // A rest waiting to be spoken again goes back to its text, to be skipped by sentences.
        if (retry.isWord())
            skipped += retry.piece.endsSentence ? 1 : 0;
        else
            resumeAfter(retry, 0);
    }
    while (skipped < count && !items_.empty() && items_.front().stream == stream) {
        items_.front().takeWhole();
        skipped += items_.front().cutter.skipSentences(count - skipped);
        if (items_.front().cutter.atEnd())
            items_.pop_front();
    }
    return skipped;
}

void HelperVoice::Pause()
{
    playback_.pause();
}

void HelperVoice::Resume()
{
    playback_.resume();
}

bool HelperVoice::idle()
{
    return !parts_ && !synthesizing_ && retries_.empty() && items_.empty() && playback_.finished();
}

// A level handler may release this voice while it waits; nothing is left to wait for then.
bool HelperVoice::WaitUntilDone(int timeoutMs)
{
    const QPointer<HelperVoice> alive(this);
    QElapsedTimer waited;
    waited.start();
    while (!idle()) {
        if (timeoutMs >= 0 && waited.elapsed() >= timeoutMs)
            return false;
        const int slice = timeoutMs < 0
                              ? PumpIntervalMs
                              : std::clamp<int>(timeoutMs - waited.elapsed(), 1, PumpIntervalMs);
        if (parts_)
            advanceParts(slice);
        else if (synthesizing_)
            service_->waitForProgress(slice);
        else
            QThread::msleep(std::min(slice, PumpIntervalMs / 2));
        if (!alive)
            return true;
        pump();
        if (!alive)
            return true;
    }
    throwFailure();
    return true;
}

void HelperVoice::throwFailure()
{
    if (!failure_.isEmpty())
        throw std::runtime_error(std::exchange(failure_, {}).toStdString());
}

// Deferred texts are taken whole once half a second of sound is queued, so neither the first sound
// waits for a long document to be copied nor does the copy empty the device's buffer.
void HelperVoice::takeWholeTexts()
{
    if (!hasSoundAhead(0) || playback_.samplesAhead() < service_->sampleRate() / 2)
        return;
    for (Item& item : items_)
        item.takeWhole();
}

void HelperVoice::pump()
{
    const std::optional<speech::AudioLevelEvent> level = playback_.pump(volume_);
    const std::optional<HeardWord> word = playback_.newestHeardWord();
    takeWholeTexts();
    advanceParts(0);
    feedSynthesis();
    const long firstEnded = endedThrough_ + 1;
    const long lastEnded = takeEndedStreams();
    if (idle()) {
        playback_.closeSink();
        pumpTimer_.stop();
    }
    // Last, and through copies, since a handler may release this voice.
    const WordHandler wordHandler =
        word && (interests_ & WordBoundaryInterest) ? wordHandler_ : nullptr;
    const EndStreamHandler endHandler =
        interests_ & EndStreamInterest ? endStreamHandler_ : nullptr;
    const AudioLevelHandler levelHandler =
        level && (interests_ & AudioLevelInterest) ? audioLevelHandler_ : nullptr;
    if (wordHandler)
        wordHandler({word->stream, word->offset});
    for (long stream = firstEnded; endHandler && stream <= lastEnded; ++stream)
        endHandler(stream);
    if (levelHandler)
        levelHandler(*level);
}

// Streams are heard in the order they were spoken: all before the current one have ended, and
// all of them once none is current. A stream whose sound runs short waits on its synthesis, and
// stays current. Returns the last stream ended.
long HelperVoice::takeEndedStreams()
{
    const long current = currentStream();
    endedThrough_ = std::max(endedThrough_, current ? current - 1 : lastStream_);
    return endedThrough_;
}

void HelperVoice::SetAllowAudioOutputFormatChangesOnNextSet(bool allow)
{
    allowFormatChanges_ = allow;
}

void HelperVoice::SetAudioOutputStream(std::shared_ptr<speech::FileStream> stream)
{
    auto file = std::dynamic_pointer_cast<audio::SampleFile>(stream);
    if (!file)
        throw std::invalid_argument("Not a file stream of this engine");
    if (allowFormatChanges_)
        file->adoptSampleRate(engine_.serviceFor(lane_, voice_.get()).sampleRate());
    renderInto(std::move(file));
}

void HelperVoice::renderInto(std::shared_ptr<audio::SampleSink> sink)
{
    abandonParts();
    file_.endWords(volume_, service_->sampleRate());
    file_.open(std::move(sink));
}

void HelperVoice::SetAudioOutput(const speech::VoiceTokenPtr& token)
{
    if (token)
        throw std::invalid_argument("Only the default audio output is supported");
    renderInto(nullptr);
    pumpTimer_.start();
}

void HelperVoice::SetAudioLevelHandler(AudioLevelHandler handler)
{
    audioLevelHandler_ = std::move(handler);
}

void HelperVoice::SetWordHandler(WordHandler handler)
{
    wordHandler_ = std::move(handler);
}

void HelperVoice::SetEndStreamHandler(EndStreamHandler handler)
{
    endStreamHandler_ = std::move(handler);
}

void HelperVoice::SetSoundMarkHandler(SoundMarkHandler handler)
{
    file_.setMarkHandler(std::move(handler));
}

} // namespace engine
