// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QByteArray>
#include <QString>

class QFileDevice;

namespace formats {

// Writes until every byte is written or a write fails; a write cut short by a full disk tells
// its reason only when the next one fails. The file's error string then says why.
bool writeFully(QFileDevice& file, const char* data, qint64 size);

// Why replacing a file failed: the new file could not be made, or not written in full.
struct ReplaceFailure {
    bool created = false;
    QString reason;
};

// Gives a file new contents through a temporary file beside it and a rename, so a write that
// cannot complete (a full disk, a crash) leaves the old file as it was.
std::optional<ReplaceFailure> replaceFile(const QString& path, const QByteArray& bytes);

} // namespace formats
