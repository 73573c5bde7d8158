// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/EditorText.h"

#include <QString>
#include <vector>

class QTextDocument;

namespace speech {

// A part of a document that a book's chapter export writes as a file of its own.
struct Chapter {
    // The heading's text; empty for text before the first heading, or a document without any.
    QString title;
    EditorRange range;
};

// The range cut at its chapters' headings. Headings marked as such, as books and Markdown have
// them, come first: those of the highest level that occurs more than once, and of the levels
// above. With fewer than two, a line that names a chapter, such as "Chapter 12" or "第十二章",
// starts one where a paragraph may start. A heading with nothing under it starts the next one's
// chapter, under the next one's title. Without any, the range is one chapter; never none.
std::vector<Chapter> chaptersIn(const QTextDocument& document, EditorRange range);

// Whether the line names a chapter by its number: "Chapter 12", "CHAPTER XII. The Storm",
// "Chapter Twenty-One", "第十二章 归来", and with a number in the program's other languages; not
// "chapter 4, as shown", nor "第一回见到她".
bool namesChapter(const QString& line);

} // namespace speech
