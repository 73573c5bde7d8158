// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/AudioLevel.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

// Root mean square levels, in decibels below full scale, that map to 0 and to the top of the
// scale. Loud speech from espeak-ng at full volume lies around -15 dB.
constexpr double QuietestDecibels = -55.0;
constexpr double LoudestDecibels = -12.0;

} // namespace

void applyVolume(std::span<std::int16_t> samples, int volume)
{
    if (volume >= 100)
        return;
    const int factor = std::max(volume, 0);
    for (std::int16_t& sample : samples)
        sample = static_cast<std::int16_t>(sample * factor / 100);
}

int audioLevel(double sumOfSquares, std::int64_t count)
{
    if (count <= 0 || sumOfSquares <= 0)
        return 0;
    const double rms = std::sqrt(sumOfSquares / static_cast<double>(count)) / 32768.0;
    const double decibels = 20.0 * std::log10(rms);
    const double scaled =
        (decibels - QuietestDecibels) / (LoudestDecibels - QuietestDecibels) * MaxAudioLevel;
    return static_cast<int>(std::clamp(std::round(scaled), 0.0, double{MaxAudioLevel}));
}

} // namespace audio
