// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/Playlist.h"

#include "formats/FileWriting.h"

#include <cmath>

namespace formats {

std::optional<QString> writePlaylist(const QString& path, const std::vector<PlaylistEntry>& entries)
{
    QString list = QStringLiteral("#EXTM3U\n");
    for (const PlaylistEntry& entry : entries)
        list += QStringLiteral("#EXTINF:%1,%2\n%3\n")
                    .arg(static_cast<qint64>(std::ceil(entry.seconds)))
                    .arg(entry.title.simplified(), entry.fileName);
    if (const auto failure = replaceFile(path, list.toUtf8()))
        return QStringLiteral("Cannot write \"%1\": %2").arg(path, failure->reason);
    return std::nullopt;
}

} // namespace formats
