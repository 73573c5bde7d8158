// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/AudioFileType.h"

#include <QFileInfo>

namespace speech {

std::optional<AudioFileType> namedAudioFileType(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"wav")
        return AudioFileType::Wav;
    if (suffix == u"mp3")
        return AudioFileType::Mp3;
    if (suffix == u"opus")
        return AudioFileType::OggOpus;
    if (suffix == u"ogg" || suffix == u"oga")
        return AudioFileType::OggVorbis;
    if (suffix == u"flac")
        return AudioFileType::Flac;
    return std::nullopt;
}

AudioFileType audioFileTypeOf(const QString& path)
{
    return namedAudioFileType(path).value_or(AudioFileType::Wav);
}

} // namespace speech
