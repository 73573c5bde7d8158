// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <span>

namespace audio {

constexpr int MaxAudioLevel = 10;

// Scales samples linearly: 100 keeps them, 0 silences them.
void applyVolume(std::span<std::int16_t> samples, int volume);

// Loudness on a scale of 0 (silence) to 10, from the samples' root mean square in decibels.
int audioLevel(double sumOfSquares, std::int64_t count);

} // namespace audio
