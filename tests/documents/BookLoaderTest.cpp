// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/BookLoader.h"

#include "tests/support/EpubBuilder.h"
#include "tests/support/TemporaryFiles.h"

#include <gtest/gtest.h>
#include <QTextBlock>
#include <QTextEdit>

using namespace documents;

namespace {

// Each line of the editor, "h1 " before a heading's, "*" around a bold one's.
QStringList shownLines(const QTextEdit& editor)
{
    QStringList lines;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        const bool bold = block.begin().fragment().charFormat().fontWeight() == QFont::Bold;
        lines << (level ? QStringLiteral("h%1 ").arg(level) : QString()) +
                     (bold ? u'*' + block.text() + u'*' : block.text());
    }
    return lines;
}

std::string refusal(BookLoader& books, const QString& path)
{
    try {
        books.loadEpub(path);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "loaded";
}

} // namespace

// A paragraph of Chinese has no blanks to cut it at, so it is shown cut in several lines; the
// heading after it is still the one marked.
TEST(BookLoader, ParagraphsBecomeLinesAndHeadingsStayMarkedAfterLongOnes)
{
    testsupport::TemporaryFiles files;
    QTextEdit editor;
    BookLoader books(editor);
    const QString longParagraph = QStringLiteral("长").repeated(10000);
    books.loadEpub(files.write(
        QStringLiteral("book.epub"),
        testsupport::EpubBuilder()
            .document(QStringLiteral("a.xhtml"), QStringLiteral("<h1>第一章</h1><p>%1</p>"
                                                                "<h2>Part two</h2><p>End.</p>")
                                                     .arg(longParagraph))
            .bytes()));
    const QStringList lines = shownLines(editor);
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines.mid(1, 3).join(QString()), longParagraph);
    EXPECT_EQ(lines[0], QStringLiteral("h1 *第一章*"));
    EXPECT_EQ(lines.mid(4), (QStringList{QStringLiteral("h2 *Part two*"), QStringLiteral("End.")}));
    EXPECT_FALSE(editor.document()->isUndoAvailable());

    books.loadMarkdown(files.write(QStringLiteral("notes.md"), "\xEF\xBB\xBFNotes\n=====\n\n* é"));
    EXPECT_EQ(shownLines(editor), (QStringList{QStringLiteral("h1 *Notes*"), QStringLiteral("é")}));
}

TEST(BookLoader, ABookThatCannotBeReadLeavesTheEditorAsItWas)
{
    testsupport::TemporaryFiles files;
    QTextEdit editor;
    editor.setPlainText(QStringLiteral("before"));
    BookLoader books(editor);
    const QString damaged = files.write(QStringLiteral("damaged.epub"), "PK\x03\x04");
    EXPECT_EQ(refusal(books, damaged),
              QStringLiteral("Cannot open file \"%1\". It is no EPUB book: Not a zip archive.")
                  .arg(damaged)
                  .toStdString());
    EXPECT_EQ(refusal(books, files.folder.path()),
              QStringLiteral("Cannot open file \"%1\". It is not a regular file.")
                  .arg(files.folder.path())
                  .toStdString());
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("before"));
}
