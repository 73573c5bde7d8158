// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>

namespace audio {

// Where a voice object's sound goes when it is not heard.
class SampleSink {
public:
    virtual ~SampleSink() = default;

    virtual void write(std::span<const std::int16_t> samples, int sampleRate) = 0;
};

} // namespace audio
