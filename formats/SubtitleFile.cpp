// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/SubtitleFile.h"

#include "formats/FileWriting.h"

#include <cmath>
#include <QDir>
#include <QFileInfo>

namespace formats {

namespace {

// Hours, minutes, seconds and milliseconds, the last after the separator the format takes.
QString clockTime(double seconds, QChar separator)
{
    const qint64 ms = std::llround(std::max(seconds, 0.0) * 1000);
    return QStringLiteral("%1:%2:%3%4%5")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(separator)
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// Minutes run past an hour, as players read them.
QString lyricsTime(double seconds)
{
    const qint64 cs = std::llround(std::max(seconds, 0.0) * 100);
    return QStringLiteral("[%1:%2.%3]")
        .arg(cs / 6000, 2, 10, QLatin1Char('0'))
        .arg(cs / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(cs % 100, 2, 10, QLatin1Char('0'));
}

// WebVTT reads markup in cue text, and an arrow would pass for a timing line.
QString vttEscaped(QString text)
{
    return text.replace(u'&', QStringLiteral("&amp;"))
        .replace(u'<', QStringLiteral("&lt;"))
        .replace(u'>', QStringLiteral("&gt;"));
}

// A cue's text takes one line: a blank line would end it early.
QString oneLine(const QString& text)
{
    return text.simplified();
}

} // namespace

std::optional<SubtitleFormat> subtitleFormatNamed(const QString& name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("srt"))
        return SubtitleFormat::Srt;
    if (lower == QLatin1String("vtt"))
        return SubtitleFormat::Vtt;
    if (lower == QLatin1String("lrc"))
        return SubtitleFormat::Lrc;
    return std::nullopt;
}

QString subtitleSuffix(SubtitleFormat format)
{
    switch (format) {
    case SubtitleFormat::Srt:
        return QStringLiteral(".srt");
    case SubtitleFormat::Vtt:
        return QStringLiteral(".vtt");
    case SubtitleFormat::Lrc:
        break;
    }
    return QStringLiteral(".lrc");
}

QByteArray subtitleText(SubtitleFormat format, const std::vector<SubtitleCue>& cues)
{
    QString text = format == SubtitleFormat::Vtt ? QStringLiteral("WEBVTT\n\n") : QString();
    for (std::size_t i = 0; i < cues.size(); ++i) {
        const SubtitleCue& cue = cues[i];
        switch (format) {
        case SubtitleFormat::Srt:
            text +=
                QStringLiteral("%1\n%2 --> %3\n%4\n\n")
                    .arg(i + 1)
                    .arg(clockTime(cue.start, u','), clockTime(cue.end, u','), oneLine(cue.text));
            break;
        case SubtitleFormat::Vtt:
            text += QStringLiteral("%1 --> %2\n%3\n\n")
                        .arg(clockTime(cue.start, u'.'), clockTime(cue.end, u'.'),
                             vttEscaped(oneLine(cue.text)));
            break;
        case SubtitleFormat::Lrc:
            text += lyricsTime(cue.start) + oneLine(cue.text) + u'\n';
            break;
        }
    }
    // Lyrics have no ends: an empty line ends the last.
    if (format == SubtitleFormat::Lrc && !cues.empty())
        text += lyricsTime(cues.back().end) + u'\n';
    return text.toUtf8();
}

QString subtitlePathBeside(const QString& soundPath, SubtitleFormat format)
{
    const QFileInfo sound(soundPath);
    return sound.dir().filePath(sound.completeBaseName() + subtitleSuffix(format));
}

std::optional<QString> writeSubtitlesBeside(const QString& soundPath, SubtitleFormat format,
                                            const std::vector<SubtitleCue>& cues)
{
    const QString path = subtitlePathBeside(soundPath, format);
    if (const auto failure = replaceFile(path, subtitleText(format, cues)))
        return QStringLiteral("Cannot write \"%1\": %2").arg(path, failure->reason);
    return std::nullopt;
}

} // namespace formats
