// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/FileWriting.h"

#include <QSaveFile>

namespace formats {

bool writeFully(QFileDevice& file, const char* data, qint64 size)
{
    for (qint64 written = 0; written < size;) {
        const qint64 count = file.write(data + written, size - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return true;
}

// Unbuffered, so each failed write shows at once: a buffered one that fails while the file is
// closed does not stop QSaveFile from renaming what it holds over the old file.
std::optional<ReplaceFailure> replaceFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return ReplaceFailure{false, file.errorString()};
    // The temporary file goes with `file` unless committed.
    if (!writeFully(file, bytes.constData(), bytes.size()) || !file.commit())
        return ReplaceFailure{true, file.errorString()};
    return std::nullopt;
}

} // namespace formats
