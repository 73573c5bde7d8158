// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/PlaybackQueue.h"

#include "audio/AudioLevel.h"

#include <algorithm>

namespace engine {

namespace {

constexpr int LevelBlocksPerSecond = 20;

} // namespace

PlaybackQueue::PlaybackQueue(audio::PcmSinkFactory sinkFactory)
    : sinkFactory_(std::move(sinkFactory))
{
}

void PlaybackQueue::append(long stream, std::span<const std::int16_t> samples, int sampleRate)
{
    if (samples.empty())
        return;
    if (sampleRate_ != sampleRate) {
        sink_.reset();
        sampleRate_ = sampleRate;
    }
    if (stream != lastStream_) {
        lastStream_ = stream;
        lastStreamLength_ = 0;
    }
    Segment segment;
    segment.stream = stream;
    segment.samples.assign(samples.begin(), samples.end());
    segment.streamOffset = lastStreamLength_;
    lastStreamLength_ += static_cast<std::int64_t>(samples.size());
    segments_.push_back(std::move(segment));
}

void PlaybackQueue::endSentence(long stream)
{
    Segment marker;
    marker.stream = stream;
    marker.endsSentence = true;
    segments_.push_back(std::move(marker));
}

void PlaybackQueue::startWord(long stream, qsizetype offset)
{
    Segment marker;
    marker.stream = stream;
    marker.startsWord = offset;
    segments_.push_back(std::move(marker));
}

std::int64_t PlaybackQueue::played()
{
    return sink_ ? sink_->playedSamples() : 0;
}

std::optional<speech::AudioLevelEvent> PlaybackQueue::pump(int volume)
{
    if (!sink_ && !segments_.empty() && sampleRate_ > 0) {
        sink_ = sinkFactory_(sampleRate_);
        sinkWritten_ = 0;
        if (paused_)
            sink_->suspend();
    }
    dropHeard(played());
    for (Segment& segment : segments_) {
        const auto unwritten = static_cast<std::int64_t>(segment.samples.size() - segment.written);
        if (segment.sinkStart < 0) {
            segment.sinkStart = sinkWritten_;
            if (segment.startsWord)
                words_.push_back({sinkWritten_, {segment.stream, *segment.startsWord}});
        }
        if (unwritten == 0)
            continue;
        const std::int64_t room = sink_->freeSamples();
        if (room <= 0)
            break;
        writeSome(segment, std::min(room, unwritten), volume);
        if (segment.written < segment.samples.size())
            break;
    }
    const std::int64_t heard = played();
    std::optional<speech::AudioLevelEvent> newest;
    while (!levels_.empty() && levels_.front().sinkEnd <= heard) {
        newest = levels_.front().event;
        levels_.pop_front();
    }
    return newest;
}

void PlaybackQueue::dropHeard(std::int64_t heard)
{
    while (!segments_.empty()) {
        const Segment& front = segments_.front();
        const auto size = static_cast<std::int64_t>(front.samples.size());
        const bool written = front.sinkStart >= 0 && front.written == front.samples.size();
        if (!written || front.sinkStart + size > heard)
            break;
        segments_.pop_front();
    }
}

void PlaybackQueue::writeSome(Segment& segment, std::int64_t count, int volume)
{
    std::vector<std::int16_t> out(
        segment.samples.begin() + static_cast<std::ptrdiff_t>(segment.written),
        segment.samples.begin() + static_cast<std::ptrdiff_t>(segment.written + count));
    audio::applyVolume(out, volume);
    meter(out, segment);
    sink_->write(out);
    segment.written += static_cast<std::size_t>(count);
    sinkWritten_ += count;
}

// Cuts the written samples into blocks of 50 ms, each remembered with the point in the sink at
// which it will have been heard.
void PlaybackQueue::meter(std::span<const std::int16_t> samples, const Segment& segment)
{
    const std::int64_t blockSize = std::max(1, sampleRate_ / LevelBlocksPerSecond);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double sample = samples[i];
        blockSquares_ += sample * sample;
        if (++blockCount_ < blockSize)
            continue;
        const auto offset = static_cast<std::int64_t>(segment.written + i + 1);
        levels_.push_back({sinkWritten_ + static_cast<std::int64_t>(i) + 1,
                           {segment.stream, (segment.streamOffset + offset) * 2,
                            audio::audioLevel(blockSquares_, blockCount_)}});
        blockSquares_ = 0;
        blockCount_ = 0;
    }
}

std::optional<HeardWord> PlaybackQueue::newestHeardWord()
{
    const std::int64_t heard = played();
    std::optional<HeardWord> newest;
    while (!words_.empty() && words_.front().sinkStart < heard) {
        newest = words_.front().word;
        words_.pop_front();
    }
    return newest;
}

long PlaybackQueue::currentStream()
{
    dropHeard(played());
    return segments_.empty() ? 0 : segments_.front().stream;
}

std::int64_t PlaybackQueue::samplesAhead()
{
    std::int64_t ahead = sinkWritten_ - played();
    for (const Segment& segment : segments_)
        ahead += static_cast<std::int64_t>(segment.samples.size() - segment.written);
    return ahead;
}

bool PlaybackQueue::finished()
{
    dropHeard(played());
    return segments_.empty() && sinkWritten_ <= played();
}

int PlaybackQueue::skipSentences(long stream, int count)
{
    dropHeard(played());
    int skipped = 0;
    while (!segments_.empty() && segments_.front().stream == stream && skipped < count) {
        if (segments_.front().endsSentence)
            ++skipped;
        segments_.pop_front();
    }
    restartOutput();
    return skipped;
}

// Drops what the sink holds and not yet heard; what is still queued is written again.
void PlaybackQueue::restartOutput()
{
    if (!sink_)
        return;
    sink_->discard();
    sinkWritten_ = sink_->playedSamples();
    for (Segment& segment : segments_) {
        segment.written = 0;
        segment.sinkStart = -1;
    }
    std::erase_if(levels_, [&](const LevelBlock& block) { return block.sinkEnd > sinkWritten_; });
    std::erase_if(words_, [&](const WordStart& start) { return start.sinkStart >= sinkWritten_; });
    blockSquares_ = 0;
    blockCount_ = 0;
}

void PlaybackQueue::pause()
{
    paused_ = true;
    if (sink_)
        sink_->suspend();
}

void PlaybackQueue::resume()
{
    paused_ = false;
    if (sink_)
        sink_->resume();
}

void PlaybackQueue::closeSink()
{
    sink_.reset();
    sinkWritten_ = 0;
    levels_.clear();
    words_.clear();
}

} // namespace engine
