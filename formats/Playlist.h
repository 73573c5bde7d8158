// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QString>
#include <vector>

namespace formats {

struct PlaylistEntry {
    // Relative to the playlist's folder.
    QString fileName;
    QString title;
    // Rounded up to whole seconds in the list.
    double seconds = 0;
};

// An extended M3U playlist in UTF-8, the entries in their order with their lengths and titles.
// Returns the reason when it cannot be written; an old file then stays as it was.
std::optional<QString> writePlaylist(const QString& path,
                                     const std::vector<PlaylistEntry>& entries);

} // namespace formats
