// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QByteArray>
#include <QString>
#include <vector>

namespace formats {

// A sentence with the times of the sound it is heard in, in seconds from the file's start.
struct SubtitleCue {
    double start = 0;
    double end = 0;
    QString text;
};

// SubRip, WebVTT, and the lyrics players show line by line.
enum class SubtitleFormat { Srt, Vtt, Lrc };

// "srt", "vtt" or "lrc", in any case.
std::optional<SubtitleFormat> subtitleFormatNamed(const QString& name);
// The extension with its dot: ".srt", ".vtt", ".lrc".
QString subtitleSuffix(SubtitleFormat format);
// The cues as UTF-8 text of the format.
QByteArray subtitleText(SubtitleFormat format, const std::vector<SubtitleCue>& cues);
// The file beside a sound file: its name with the format's extension instead of its own.
QString subtitlePathBeside(const QString& soundPath, SubtitleFormat format);
// Writes the file beside a sound file.
// Returns the reason when it cannot be written; an old file of that name then stays as it was.
std::optional<QString> writeSubtitlesBeside(const QString& soundPath, SubtitleFormat format,
                                            const std::vector<SubtitleCue>& cues);

} // namespace formats
