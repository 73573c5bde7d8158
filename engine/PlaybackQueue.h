// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/PcmSink.h"
#include "speech/Voice.h"

#include <deque>
#include <optional>
#include <QtGlobal>
#include <vector>

namespace engine {

// A word of a stream, by where it starts in the stream's text.
struct HeardWord {
    long stream = 0;
    qsizetype offset = 0;

    bool operator==(const HeardWord&) const = default;
};

// The synthesised sound of a voice's texts on its way to the sink, in order. Volume is applied as
// samples go to the sink, so a change is heard within one sink buffer.
class PlaybackQueue {
public:
    explicit PlaybackQueue(audio::PcmSinkFactory sinkFactory);

    void append(long stream, std::span<const std::int16_t> samples, int sampleRate);
    // Marks the end of a sentence of the stream at the point reached so far.
    void endSentence(long stream);
    // Marks the start of a word of the stream at the point reached so far.
    void startWord(long stream, qsizetype offset);

    // Writes what the sink has room for; returns the level of the newest block heard, if any.
    std::optional<speech::AudioLevelEvent> pump(int volume);

    // The newest word whose first sample has been heard since the last call, if any.
    std::optional<HeardWord> newestHeardWord();
    // The stream being heard (or next to be), 0 when nothing is queued.
    long currentStream();
    std::int64_t samplesAhead();
    bool finished();
    // Cuts the stream short by up to `count` sentences from what is heard now; returns how many
    // sentence ends were passed. What was already in the sink for it is not heard.
    int skipSentences(long stream, int count);

    void pause();
    void resume();
    // Lets the audio device go; the next sound opens it again.
    void closeSink();

private:
    struct Segment {
        long stream = 0;
        std::vector<std::int16_t> samples;
        std::size_t written = 0;
        std::int64_t sinkStart = -1;
        std::int64_t streamOffset = 0;
        bool endsSentence = false;
        std::optional<qsizetype> startsWord;
    };
    struct LevelBlock {
        std::int64_t sinkEnd = 0;
        speech::AudioLevelEvent event;
    };
    struct WordStart {
        std::int64_t sinkStart = 0;
        HeardWord word;
    };

    std::int64_t played();
    void dropHeard(std::int64_t heard);
    void writeSome(Segment& segment, std::int64_t count, int volume);
    void meter(std::span<const std::int16_t> samples, const Segment& segment);
    void restartOutput();

    audio::PcmSinkFactory sinkFactory_;
    std::unique_ptr<audio::PcmSink> sink_;
    int sampleRate_ = 0;
    std::int64_t sinkWritten_ = 0;
    bool paused_ = false;
    std::deque<Segment> segments_;
    std::deque<LevelBlock> levels_;
    std::deque<WordStart> words_;
    double blockSquares_ = 0;
    std::int64_t blockCount_ = 0;
    // Samples of each stream queued so far, for stream positions.
    long lastStream_ = 0;
    std::int64_t lastStreamLength_ = 0;
};

} // namespace engine
