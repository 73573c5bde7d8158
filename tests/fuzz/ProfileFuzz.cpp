// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/ProfileFile.h"

#include <cstddef>
#include <cstdint>
#include <QFile>
#include <QTemporaryDir>

// Any bytes as a settings file: reading and then writing a key must neither crash nor hang.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("set.ini"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    formats::ProfileFile profile(path);
    const QString value = profile.readString(QStringLiteral("set"), QStringLiteral("Font"), {});
    profile.writeString(QStringLiteral("set"), QStringLiteral("Rate"), value.left(8));
    profile.readString(QStringLiteral("SET"), QStringLiteral("rate"), {});
    return 0;
}
