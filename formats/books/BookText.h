// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <stdexcept>

namespace formats {

// A paragraph of a book as it is heard: plain text, and the level of its heading (1 to 6), or 0
// for body text.
struct BookParagraph {
    QString text;
    int headingLevel = 0;

    bool operator==(const BookParagraph&) const = default;
};

using BookText = QList<BookParagraph>;

// Why a book cannot be read, in a sentence for its reader.
class BookError : public std::runtime_error {
public:
    explicit BookError(const QString& reason)
        : std::runtime_error(reason.toStdString())
    {
    }
};

} // namespace formats
