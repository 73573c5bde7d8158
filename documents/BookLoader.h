// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formats/books/BookText.h"

#include <QString>

class QTextEdit;

namespace documents {

// Loads books into the editor as the text they are heard as, one paragraph to a line, headings
// marked as headings and shown in bold.
class BookLoader {
public:
    // Pictures and fonts make books larger than text files.
    static constexpr qint64 MaxEpubBytes = qint64(200) << 20;

    explicit BookLoader(QTextEdit& editor);

    // Each replaces the editor's whole content, or throws "Cannot open file "<path>". <reason>"
    // before the editor is touched: for a file that cannot be read, and for a damaged, locked or
    // too large book.
    void loadEpub(const QString& path);
    void loadMarkdown(const QString& path);

private:
    void show(const formats::BookText& book);

    QTextEdit& editor_;
};

} // namespace documents
