// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/RecordingSink.h"

namespace testsupport {

RecordingSink::RecordingSink(std::shared_ptr<Recording> recording, int sampleRate, bool paced)
    : recording_(std::move(recording))
    , clock_(sampleRate)
    , paced_(paced)
{
    recording_->sampleRate = sampleRate;
    ++recording_->sinksMade;
}

RecordingSink::~RecordingSink()
{
    record();
}

std::int64_t RecordingSink::freeSamples()
{
    return paced_ ? clock_.freeSamples() : 1 << 20;
}

void RecordingSink::write(std::span<const std::int16_t> samples)
{
    unheard_.insert(unheard_.end(), samples.begin(), samples.end());
    written_ += static_cast<std::int64_t>(samples.size());
    if (paced_)
        clock_.write(samples);
    record();
}

std::int64_t RecordingSink::playedSamples()
{
    record();
    return recorded_;
}

// The clock stops first, so what it counts as heard is what is recorded; it would otherwise go on
// counting past the samples dropped here.
void RecordingSink::discard()
{
    clock_.discard();
    record();
    unheard_.clear();
    written_ = recorded_;
}

// Moves what the clock says was heard into the recording.
void RecordingSink::record()
{
    const std::int64_t played = paced_ ? clock_.playedSamples() : written_;
    const auto newlyHeard = static_cast<std::ptrdiff_t>(played - recorded_);
    if (newlyHeard <= 0)
        return;
    recording_->heard.insert(recording_->heard.end(), unheard_.begin(),
                             unheard_.begin() + newlyHeard);
    unheard_.erase(unheard_.begin(), unheard_.begin() + newlyHeard);
    recorded_ = played;
}

audio::PcmSinkFactory recordingSinkFactory(std::shared_ptr<Recording> recording, bool paced)
{
    return [recording, paced](int sampleRate) {
        return std::make_unique<RecordingSink>(recording, sampleRate, paced);
    };
}

} // namespace testsupport
