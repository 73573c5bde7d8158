// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/FileStream.h"

#include <QByteArray>
#include <utility>
#include <vector>

namespace audio {

// The tags as Vorbis comments, as Ogg files and FLAC keep them: TITLE, ALBUM, TRACKNUMBER and
// TRACKTOTAL. Those the file's library takes are written.
std::vector<std::pair<const char*, QString>> vorbisComments(const speech::SoundTags& tags);

// The tags as an ID3v2.4 tag in UTF-8 for the front of an MP3 file: TIT2, TALB and TRCK
// ("3/12"). Empty without tags.
QByteArray id3v2Tag(const speech::SoundTags& tags);

} // namespace audio
