// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QString>

namespace formats {

// A settings file read and written one key at a time, as the Windows profile functions do:
// sections and keys are matched without regard to case, only the first section of a name and the
// first of two equal keys count, blanks around names and values are trimmed, a value in matching
// quotes loses them, lines starting with ";" are ignored, and every write reaches the disk at
// once. Files are written with CR LF line ends; lines not written to keep their bytes, and new ones
// are UTF-8 unless the file holds other bytes and the line reads back the same one character a
// byte. UTF-16LE files with a byte-order mark are read too, and written back in UTF-8.
class ProfileFile {
public:
    static constexpr qsizetype MaxValueLength = 2047;

    explicit ProfileFile(QString path);

    const QString& path() const { return path_; }

    QString readString(const QString& section, const QString& key,
                       const QString& defaultValue) const;
    // The section's keys, case-folded, with their values as readString gives them: for files
    // of many keys, which would be read anew for each.
    QHash<QString, QString> readSection(const QString& section) const;
    // Throws "Unable to write to <path>" when the file cannot be written.
    void writeString(const QString& section, const QString& key, const QString& value);

private:
    QString path_;
};

} // namespace formats
