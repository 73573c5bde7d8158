// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formats/books/BookText.h"

namespace formats {

// Gathers the text of marked-up documents into paragraphs as a reader hears them: runs of blanks
// and line ends become one blank, a paragraph holds no blank at either end, and empty paragraphs
// are dropped.
class ParagraphBuilder {
public:
    void append(QStringView text);
    // Text whose line ends end paragraphs, as in preformatted text.
    void appendLines(QStringView text);
    // Ends the paragraph; what comes next starts a new one.
    void endParagraph();
    // Ends the paragraph and adds paragraphs gathered elsewhere.
    void appendParagraphs(const BookText& paragraphs);
    // The paragraph being gathered is a heading of this level (1 to 6), or body text with 0.
    void setHeadingLevel(int level) { headingLevel_ = level; }

    qsizetype size() const { return size_ + current_.size(); }
    // The paragraphs gathered, the last one ended.
    BookText take();

private:
    BookText paragraphs_;
    QString current_;
    qsizetype size_ = 0;
    int headingLevel_ = 0;
};

} // namespace formats
