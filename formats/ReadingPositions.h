// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <optional>
#include <QDateTime>
#include <QList>
#include <QString>

namespace formats {

// What tells a file apart from the same file changed since.
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;

    bool operator==(const FileStamp&) const = default;
    // The file as it is now; size -1 when it is gone.
    static FileStamp of(const QString& path);
};

// Where reading stopped in each document opened from a file, the last used first, at most
// MaxDocuments of them, kept in one file.
//
// The file is UTF-8 JSON: an array of {"path", "size", "modified" (ISO 8601 with milliseconds, in
// UTC), "position" (in characters of the text as it is shown)}. A missing file or one that does
// not parse holds nothing; the latter is replaced at the next save.
class ReadingPositions {
public:
    static constexpr qsizetype MaxDocuments = 200;

    // The file's path is asked for when it is first needed; an empty one keeps nothing.
    explicit ReadingPositions(std::function<QString()> filePath);

    // The position in the file as it was stamped, or nothing for a file unknown or changed since;
    // a changed file's position is forgotten.
    std::optional<int> positionIn(const QString& path, const FileStamp& stamp);
    // The position becomes the file's and the file the last used.
    void remember(const QString& path, const FileStamp& stamp, int position);
    // Writes what is remembered in place of the file, or tells why it cannot: the file is left as
    // it was then.
    std::optional<QString> save();

private:
    struct Entry {
        QString path;
        FileStamp stamp;
        int position = 0;
    };

    void load();
    qsizetype indexOf(const QString& path) const;

    std::function<QString()> findFile_;
    QString filePath_;
    QList<Entry> entries_;
    bool loaded_ = false;
};

} // namespace formats
