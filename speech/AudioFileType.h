// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QString>

namespace speech {

// The kinds of sound file an export writes. WAV is 16 kHz, 16 bit, mono; the others are mono at
// the engine's own rate (Opus at 24 kHz, the nearest it takes), compressed for speech.
enum class AudioFileType { Wav, Mp3, OggOpus, OggVorbis, Flac };

// By the name's extension, in any case: .wav, .mp3, .opus, .ogg and .oga, .flac; none for any
// other.
std::optional<AudioFileType> namedAudioFileType(const QString& path);
// As namedAudioFileType, with WAV for any other extension.
AudioFileType audioFileTypeOf(const QString& path);

} // namespace speech
