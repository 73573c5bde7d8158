// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/EditorContent.h"

#include <gtest/gtest.h>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

using platform::DisplayParagraphLength;
using platform::inDisplayParagraphs;

namespace {

qsizetype longestParagraph(const QString& text)
{
    qsizetype longest = 0;
    for (const QStringView paragraph : QStringView(text).split(u'\n'))
        longest = std::max(longest, paragraph.size());
    return longest;
}

} // namespace

TEST(DisplayParagraphs, AParagraphWithoutALineEndIsCutAtBlanksThatBecomeLineEnds)
{
    const QString words = QStringLiteral("Twelve words of prose, then more and more of them. ");
    const QString text = words.repeated(4000) + QStringLiteral("\nshort\n\nend");
    const QString shown = inDisplayParagraphs(text);
    ASSERT_EQ(shown.size(), text.size());
    EXPECT_LE(longestParagraph(shown), DisplayParagraphLength);
    EXPECT_GT(shown.count(u'\n'), text.size() / DisplayParagraphLength);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] != text[i]) {
            EXPECT_TRUE(shown[i] == u'\n' && text[i] == u' ') << i;
        }
    }
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\nshort\n\nend")));
    EXPECT_EQ(inDisplayParagraphs(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\r\nb\rc"));
}

TEST(DisplayParagraphs, AStretchWithoutBlanksIsCutAtTheLengthButNeverInsideACharacter)
{
    const QString text = QStringLiteral("中文\U00020000").repeated(3 * DisplayParagraphLength);
    const QString shown = inDisplayParagraphs(text);
    EXPECT_LE(longestParagraph(shown), DisplayParagraphLength);
    EXPECT_EQ(QString(shown).remove(u'\n'), text);
    for (qsizetype i = 1; i < shown.size(); ++i) {
        if (shown[i] == u'\n') {
            EXPECT_FALSE(shown[i - 1].isHighSurrogate()) << i;
        }
    }
}

TEST(EditorContent, ReplacingIsOneUndoStepAndTakesTheChosenAlignment)
{
    QTextEdit editor;
    editor.setHtml(QStringLiteral("<p>typed <i>by hand</i></p>"));
    const QString before = editor.toHtml();
    platform::chooseAlignment(*editor.document(), Qt::AlignRight);
    platform::replaceEditorText(editor,
                                QStringLiteral("x ").repeated(5000) + QStringLiteral("\nlast"));
    EXPECT_GT(editor.document()->blockCount(), 3);
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
        EXPECT_EQ(block.blockFormat().alignment(), Qt::AlignRight);
        EXPECT_FALSE(block.begin().fragment().charFormat().fontItalic());
    }
    EXPECT_EQ(editor.textCursor().position(), 0);
    editor.undo();
    editor.undo();
    EXPECT_EQ(editor.toHtml(), before);
}
