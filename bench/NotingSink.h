#pragma once

#include "platform/NullPcmSink.h"

#include <functional>

// A silent output, paced in real time, that tells when sound reaches it.
class NotingSink final : public platform::PcmSink {
public:
    NotingSink(int sampleRate, std::function<void()> onSound)
        : onSound_(std::move(onSound))
        , clock_(sampleRate)
    {
    }
    std::int64_t freeSamples() override { return clock_.freeSamples(); }
    void write(std::span<const std::int16_t> samples) override
    {
        if (!samples.empty())
            onSound_();
        clock_.write(samples);
    }
    std::int64_t playedSamples() override { return clock_.playedSamples(); }
    void suspend() override { clock_.suspend(); }
    void resume() override { clock_.resume(); }
    void discard() override { clock_.discard(); }

private:
    std::function<void()> onSound_;
    platform::NullPcmSink clock_;
};
