// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/NullPcmSink.h"

#include <algorithm>

namespace audio {

NullPcmSink::NullPcmSink(int sampleRate)
    : sampleRate_(sampleRate)
{
}

// The clock runs only while there is something to play and the sink is not suspended; time in
// which nothing was written is not heard as silence later.
std::int64_t NullPcmSink::clockSamples() const
{
    if (!clock_.isValid())
        return playedBefore_;
    return playedBefore_ + clock_.nsecsElapsed() * sampleRate_ / 1'000'000'000;
}

std::int64_t NullPcmSink::playedSamples()
{
    const std::int64_t played = std::min(clockSamples(), written_);
    if (clock_.isValid() && played == written_) {
        playedBefore_ = played;
        clock_.invalidate();
    }
    return played;
}

std::int64_t NullPcmSink::freeSamples()
{
    const std::int64_t capacity = std::int64_t{sampleRate_} * BufferMilliseconds / 1000;
    return std::max<std::int64_t>(0, capacity - (written_ - playedSamples()));
}

void NullPcmSink::write(std::span<const std::int16_t> samples)
{
    if (samples.empty())
        return;
    const bool wasIdle = playedSamples() == written_;
    written_ += static_cast<std::int64_t>(samples.size());
    if (wasIdle && !suspended_)
        clock_.start();
}

void NullPcmSink::suspend()
{
    if (suspended_)
        return;
    playedBefore_ = playedSamples();
    clock_.invalidate();
    suspended_ = true;
}

void NullPcmSink::resume()
{
    if (!suspended_)
        return;
    suspended_ = false;
    if (written_ > playedBefore_)
        clock_.start();
}

void NullPcmSink::discard()
{
    written_ = playedSamples();
    playedBefore_ = written_;
    clock_.invalidate();
}

} // namespace audio
