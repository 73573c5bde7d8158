#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Text whose encoding its first bytes tell: FF FE UTF-16 little-endian, FE FF UTF-16 big-endian,
// EF BB BF UTF-8, anything else the system code page. The mark is not part of the text, and a
// UTF-16 mark with less than one whole unit after it gives an empty text.
QString decodeByByteOrderMark(const QByteArray& bytes);

} // namespace platform
