// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/rtf/RtfReader.h"
#include "formats/rtf/RtfWriter.h"

#include <cstddef>
#include <cstdint>
#include <QTextDocument>
#include <stdexcept>

// Any bytes as RTF: a document or "Failed to Load Stream", never a crash, a hang or a leak. What
// was read is written and read again, so the writer meets every document the reader can build.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument document;
    try {
        formats::RtfReader::read(bytes, document);
    } catch (const std::runtime_error&) {
        return 0;
    }
    QTextDocument again;
    formats::RtfReader::read(formats::RtfWriter::write(document), again);
    return 0;
}
