// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/PcmSink.h"

#include <QElapsedTimer>

namespace audio {

// Takes the place of an audio device where there is none: it consumes samples in real time, so
// pausing, levels and timing behave as they do with sound.
class NullPcmSink final : public PcmSink {
public:
    static constexpr int BufferMilliseconds = 200;

    explicit NullPcmSink(int sampleRate);

    std::int64_t freeSamples() override;
    void write(std::span<const std::int16_t> samples) override;
    std::int64_t playedSamples() override;
    void suspend() override;
    void resume() override;
    void discard() override;

private:
    std::int64_t clockSamples() const;

    int sampleRate_;
    std::int64_t written_ = 0;
    // Played samples before the clock was last started.
    std::int64_t playedBefore_ = 0;
    QElapsedTimer clock_;
    bool suspended_ = false;
};

} // namespace audio
