// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace formats {

// Text whose encoding its first bytes tell: FF FE UTF-16 little-endian, FE FF UTF-16 big-endian,
// EF BB BF UTF-8, anything else the system code page. The mark is not part of the text, and a
// UTF-16 mark with less than one whole unit after it gives an empty text.
QString decodeByByteOrderMark(const QByteArray& bytes);

// Text in the system code page: UTF-8 where the bytes are UTF-8 but for a stray byte here and
// there, which becomes U+FFFD, otherwise the code page they were most likely written in (GBK,
// Big5, Shift_JIS, windows-1252 ...), since files from Windows users come in their ANSI code page.
QString decodeSystemCodePage(const QByteArray& bytes);

} // namespace formats
