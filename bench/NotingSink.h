// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/NullPcmSink.h"

#include <functional>
#include <memory>

// An output that tells when sound reaches it and passes it on: to a silent output paced in real
// time unless another is given.
class NotingSink final : public audio::PcmSink {
public:
    NotingSink(int sampleRate, std::function<void()> onSound,
               std::unique_ptr<audio::PcmSink> output = {})
        : onSound_(std::move(onSound))
        , output_(output ? std::move(output) : std::make_unique<audio::NullPcmSink>(sampleRate))
    {
    }
    std::int64_t freeSamples() override { return output_->freeSamples(); }
    void write(std::span<const std::int16_t> samples) override
    {
        if (!samples.empty())
            onSound_();
        output_->write(samples);
    }
    std::int64_t playedSamples() override { return output_->playedSamples(); }
    void suspend() override { output_->suspend(); }
    void resume() override { output_->resume(); }
    void discard() override { output_->discard(); }

private:
    std::function<void()> onSound_;
    std::unique_ptr<audio::PcmSink> output_;
};
