// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace speech {

// What a sound file says of itself: a chapter's title, its number and how many there are, and the
// book it belongs to. Empty fields are left out.
struct SoundTags {
    QString title;
    QString album;
    int track = 0;
    int trackCount = 0;
};

// A WAV file that a voice can speak into instead of the audio device.
class FileStream {
public:
    // The format type that means 16 kHz, 16 bit, mono.
    static constexpr int Format16kHz16BitMono = 18;
    // Create the file for writing, replacing one that exists.
    static constexpr int CreateForWrite = 3;

    virtual ~FileStream() = default;

    virtual void SetFormatType(int formatType) = 0;
    virtual int FormatType() const = 0;
    // Before Open; types that keep no tags, such as WAV, leave them out.
    virtual void SetTags(const SoundTags& tags) = 0;
    virtual void Open(const QString& path, int mode, bool doEvents) = 0;
    // Completes the file; a write that failed earlier is reported here.
    virtual void Close() = 0;
    // Ends the file unfinished: what the path named before stays as it was.
    virtual void Discard() = 0;
};

} // namespace speech
