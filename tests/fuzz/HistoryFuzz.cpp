// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FontText.h"
#include "app/HistoryFile.h"

#include <cstddef>
#include <cstdint>

// Any bytes as a history file, and as a font text: a list or a font, never a crash or a hang.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList entries = HistoryFile::decode(bytes);
    HistoryFile::encode(entries);
    TextFont font;
    TextToFont(QString::fromUtf8(bytes), font, 96, true);
    FontToText(font, 96, true);
    return 0;
}
