// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

class QTextDocument;

namespace formats {

// Reads Rich Text Format as word processors and RtfWriter write it: text, paragraphs with their
// alignment, line breaks and tabs, list bullets, and the bold, italic, underline, strikeout, size,
// colour and font of the characters. Footnotes follow the text, each in paragraphs of its own.
// Everything else (pictures, fields' instructions, headers, styles) is left out. Damaged input
// gives what could be read; no input crashes it, and the time it takes grows only linearly with
// the input.
class RtfReader {
public:
    // Whether the bytes start as RTF does; nothing before "{\rtf" is allowed.
    static bool looksLikeRtf(const QByteArray& bytes);
    // Replaces the document's content with what the bytes hold. Throws
    // std::runtime_error("Failed to Load Stream") when they are not RTF, leaving it untouched.
    static void read(const QByteArray& rtf, QTextDocument& document);
};

} // namespace formats
