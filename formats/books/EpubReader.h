// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formats/books/BookText.h"

#include <QByteArray>

namespace formats {

struct EpubLimits {
    // The most that one document of the book may unpack to, so that a small archive cannot fill
    // the memory.
    qint64 maxDocumentBytes = qint64(64) << 20;
    // The most text the whole book may hold, in characters.
    qsizetype maxTextLength = 50'000'000;
};

// The text of an EPUB 2 or 3 book: its spine's documents in reading order. Throws BookError for
// an archive that is damaged, protected by DRM, larger than the limits or without any text.
BookText readEpub(const QByteArray& book, const EpubLimits& limits = {});

} // namespace formats
