// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

class QTextDocument;

namespace formats {

// Writes a text document as Rich Text Format that word processors and RtfReader read: paragraphs
// with their alignment, line breaks, tabs, and each run's font, size, colour, bold, italic,
// underline and strikeout. Text outside ASCII is written as \u with a "?" fallback, so the output
// is pure ASCII.
class RtfWriter {
public:
    static QByteArray write(const QTextDocument& document);
};

} // namespace formats
