// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/BookLoader.h"

#include "documents/DocumentFile.h"
#include "documents/EditorLoader.h"
#include "formats/books/EpubReader.h"
#include "formats/books/MarkdownText.h"
#include "formats/TextDecoding.h"
#include "platform/BusyCursor.h"
#include "platform/EditorContent.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

namespace documents {

namespace {

struct Heading {
    int block = 0;
    int level = 0;
};

// Headings are kept in the blocks' format, where finding chapters can read them.
void markHeadings(QTextDocument& document, const QList<Heading>& headings)
{
    document.setUndoRedoEnabled(false);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (const Heading& heading : headings) {
        QTextCursor cursor(document.findBlockByNumber(heading.block));
        QTextBlockFormat format = cursor.blockFormat();
        format.setHeadingLevel(heading.level);
        cursor.setBlockFormat(format);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(bold);
    }
    document.setUndoRedoEnabled(true);
}

} // namespace

BookLoader::BookLoader(QTextEdit& editor)
    : editor_(editor)
{
}

void BookLoader::loadEpub(const QString& path)
{
    const DocumentFile file(path, MaxEpubBytes);
    const platform::BusyCursor busy;
    try {
        show(formats::readEpub(file.readAll()));
    } catch (const formats::BookError& error) {
        cannotOpen(path, QString::fromUtf8(error.what()));
    }
}

void BookLoader::loadMarkdown(const QString& path)
{
    const DocumentFile file(path, EditorLoader::MaxFileBytes);
    const platform::BusyCursor busy;
    show(formats::readMarkdown(formats::decodeByByteOrderMark(file.readAll())));
}

// Long paragraphs are shown cut into several lines, so a heading's line is counted after them.
void BookLoader::show(const formats::BookText& book)
{
    QStringList lines;
    QList<Heading> headings;
    int blocks = 0;
    for (const formats::BookParagraph& paragraph : book) {
        const QString shown = platform::inDisplayParagraphs(paragraph.text);
        if (paragraph.headingLevel > 0)
            headings.append({blocks, paragraph.headingLevel});
        blocks += static_cast<int>(shown.count(u'\n')) + 1;
        lines.append(shown);
    }
    platform::loadEditorText(editor_, lines.join(u'\n'));
    markHeadings(*editor_.document(), headings);
}

} // namespace documents
