// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/books/ParagraphBuilder.h"

namespace formats {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

} // namespace

void ParagraphBuilder::append(QStringView text)
{
    for (const QChar c : text) {
        if (!isBlank(c))
            current_ += c;
        else if (!current_.isEmpty() && current_.back() != u' ')
            current_ += u' ';
    }
}

void ParagraphBuilder::appendLines(QStringView text)
{
    for (const QStringView line : text.tokenize(u'\n')) {
        if (line.data() != text.data())
            endParagraph();
        append(line);
    }
}

void ParagraphBuilder::endParagraph()
{
    if (!current_.isEmpty() && current_.back() == u' ')
        current_.chop(1);
    if (!current_.isEmpty()) {
        size_ += current_.size() + 1;
        paragraphs_.append({current_, headingLevel_});
    }
    current_.clear();
}

void ParagraphBuilder::appendParagraphs(const BookText& paragraphs)
{
    endParagraph();
    for (const BookParagraph& paragraph : paragraphs)
        size_ += paragraph.text.size() + 1;
    paragraphs_.append(paragraphs);
}

BookText ParagraphBuilder::take()
{
    endParagraph();
    size_ = 0;
    return std::exchange(paragraphs_, {});
}

} // namespace formats
