// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/SoundTagFields.h"

namespace audio {

namespace {

// ID3v2.4 sizes keep the top bit of each byte clear.
QByteArray synchsafe(qsizetype size)
{
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i, size >>= 7)
        bytes[i] = static_cast<char>(size & 0x7f);
    return bytes;
}

QByteArray textFrame(const char* id, const QString& text)
{
    const QByteArray content = '\x03' + text.toUtf8();
    return QByteArray(id) + synchsafe(content.size()) + QByteArray(2, '\0') + content;
}

QString trackText(const speech::SoundTags& tags)
{
    if (tags.track <= 0)
        return {};
    if (tags.trackCount <= 0)
        return QString::number(tags.track);
    return QStringLiteral("%1/%2").arg(tags.track).arg(tags.trackCount);
}

} // namespace

std::vector<std::pair<const char*, QString>> vorbisComments(const speech::SoundTags& tags)
{
    std::vector<std::pair<const char*, QString>> comments;
    if (!tags.title.isEmpty())
        comments.emplace_back("TITLE", tags.title);
    if (!tags.album.isEmpty())
        comments.emplace_back("ALBUM", tags.album);
    if (tags.track > 0)
        comments.emplace_back("TRACKNUMBER", QString::number(tags.track));
    if (tags.track > 0 && tags.trackCount > 0)
        comments.emplace_back("TRACKTOTAL", QString::number(tags.trackCount));
    return comments;
}

QByteArray id3v2Tag(const speech::SoundTags& tags)
{
    QByteArray frames;
    if (!tags.title.isEmpty())
        frames += textFrame("TIT2", tags.title);
    if (!tags.album.isEmpty())
        frames += textFrame("TALB", tags.album);
    if (const QString track = trackText(tags); !track.isEmpty())
        frames += textFrame("TRCK", track);
    if (frames.isEmpty())
        return {};
    return QByteArray("ID3\x04\x00\x00", 6) + synchsafe(frames.size()) + frames;
}

} // namespace audio
