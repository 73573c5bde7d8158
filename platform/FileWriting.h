#pragma once

#include <optional>
#include <QByteArray>
#include <QString>

class QFileDevice;

namespace platform {

// Writes until every byte is written or a write fails; a write cut short by a full disk tells
// its reason only when the next one fails. The file's error string then says why.
bool writeFully(QFileDevice& file, const char* data, qint64 size);

// Gives a file new contents through a temporary file beside it and a rename, so a write that
// cannot complete (a full disk, a crash) leaves the old file as it was. Returns why it failed.
std::optional<QString> replaceFile(const QString& path, const QByteArray& bytes);

} // namespace platform
