// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QByteArray>
#include <QStringList>

// The address history file: read in UTF-16 either way, UTF-8 or the system code page, one entry
// a line; written as UTF-16LE with a byte-order mark, each entry ended by CR LF.
class HistoryFile {
public:
    static constexpr int MaxSavedEntries = 11;

    static QStringList decode(const QByteArray& bytes);
    static QByteArray encode(const QStringList& entries);

    // Nothing when the file cannot be read.
    static std::optional<QStringList> load(const QString& path);
    // Writes the first entries; an empty list leaves the file as it is. Throws when it cannot be
    // written.
    static void save(const QString& path, const QStringList& entries);
};
