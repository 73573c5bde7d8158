// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace audio {

// Where a voice's sound goes while it plays: 16-bit mono samples at one rate, written as the sink
// has room for them.
class PcmSink {
public:
    virtual ~PcmSink() = default;

    // How many samples write() takes now.
    virtual std::int64_t freeSamples() = 0;
    virtual void write(std::span<const std::int16_t> samples) = 0;
    // Samples heard since the sink was made.
    virtual std::int64_t playedSamples() = 0;
    virtual void suspend() = 0;
    virtual void resume() = 0;
    // Drops what was written and not yet heard; playedSamples() stays where it is.
    virtual void discard() = 0;
};

using PcmSinkFactory = std::function<std::unique_ptr<PcmSink>(int sampleRate)>;

} // namespace audio
