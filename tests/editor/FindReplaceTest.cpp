// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FindReplace.h"

#include <gmock/gmock.h>
#include <QCoreApplication>
#include <QTextEdit>

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

struct Editor {
    explicit Editor(const QString& text)
    {
        edit.setPlainText(text);
        edit.show();
    }

    void select(int from, int to)
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        edit.setTextCursor(cursor);
    }
    // The selection as [start, end), or the caret alone.
    std::pair<int, int> selection() const
    {
        return {edit.textCursor().selectionStart(), edit.textCursor().selectionEnd()};
    }
    QString selectedText() const { return edit.textCursor().selectedText(); }
    QString text() const { return edit.toPlainText(); }
    void find(const QString& what, editor::SearchOptions options = {})
    {
        commands.findNext({what, options});
    }
    void replace(const QString& what, const QString& by, bool all,
                 editor::SearchOptions options = {})
    {
        commands.replace({{what, options}, by, all});
    }

    QTextEdit edit;
    QStringList messages;
    editor::FindReplace commands{edit, [this](const QString& caption, const QString& text) {
                                     messages << caption + u'|' + text;
                                 }};
};

// Shown under the application's title.
QString done()
{
    return QCoreApplication::applicationName() + QStringLiteral("|替换完毕!");
}

} // namespace

TEST(FindNext, StepsFromMatchToMatchAndDoesNotWrapAround)
{
    Editor e(QStringLiteral("one two one two one"));
    e.select(0, 3);
    e.find(QStringLiteral("one"));
    EXPECT_EQ(e.selection(), std::make_pair(8, 11)) << "the selected one is not found again";
    e.find(QStringLiteral("one"));
    EXPECT_EQ(e.selection(), std::make_pair(16, 19));
    EXPECT_THAT(e.messages, IsEmpty());

    e.select(17, 17);
    e.find(QStringLiteral("ONE"));
    EXPECT_THAT(e.messages, ElementsAre(QStringLiteral("错误|没有找到:ONE")));
    EXPECT_EQ(e.selection(), std::make_pair(17, 17));
    e.select(16, 19);
    e.find(QStringLiteral("two"));
    EXPECT_EQ(e.selection(), std::make_pair(19, 19)) << "the caret goes to the former end";
    EXPECT_EQ(e.messages.size(), 2);
}

TEST(FindNext, MatchCaseWholeWordAndChineseAreMatchedExactly)
{
    Editor e(QStringLiteral("concatenate ABC cat 中文朗读中文"));
    e.find(QStringLiteral("abc"), {true, false});
    EXPECT_EQ(e.messages.size(), 1);
    e.select(0, 0);
    e.find(QStringLiteral("abc"));
    EXPECT_EQ(e.selectedText(), QStringLiteral("ABC"));

    e.select(0, 0);
    e.find(QStringLiteral("cat"), {false, true});
    EXPECT_EQ(e.selection(), std::make_pair(16, 19));

    e.select(0, 0);
    e.find(QStringLiteral("朗读"));
    EXPECT_EQ(e.selection(), std::make_pair(22, 24));
    EXPECT_EQ(e.selectedText(), QStringLiteral("朗读"));
}

TEST(FindNext, WordsOfEveryPlaneAndTheirMarksAndNoBreakSpacesCount)
{
    Editor e(QString::fromUtf16(u"\U00020000cat cafe\u0301 cat cafe a\u00A0b"));
    e.find(QStringLiteral("cat"), {false, true});
    EXPECT_EQ(e.selection(), std::make_pair(12, 15)) << "a letter beyond the first plane";
    e.select(0, 0);
    e.find(QStringLiteral("cafe"), {false, true});
    EXPECT_EQ(e.selection(), std::make_pair(16, 20)) << "an accent belongs to its word";
    e.select(0, 0);
    e.find(QString::fromUtf16(u"a\u00A0b"));
    EXPECT_EQ(e.selection(), std::make_pair(21, 24));
    EXPECT_TRUE(e.messages.isEmpty());
}

TEST(FindNext, NoMatchRunsAcrossTheEndOfAParagraph)
{
    Editor e(QStringLiteral("end\nstart"));
    e.find(QStringLiteral("dst"));
    e.find(QStringLiteral("d\nst"));
    EXPECT_EQ(e.messages.size(), 2);
}

TEST(Replace, EachPressReplacesOneOccurrenceLeavesItSelectedAndIsOneUndoStep)
{
    Editor e(QStringLiteral("a cat, a cat, a cat"));
    e.select(3, 3);
    e.replace(QStringLiteral("cat"), QStringLiteral("dog"), false);
    EXPECT_EQ(e.text(), QStringLiteral("a cat, a dog, a cat"));
    EXPECT_EQ(e.selectedText(), QStringLiteral("dog"));
    e.replace(QStringLiteral("cat"), QStringLiteral("dog"), false);
    EXPECT_EQ(e.text(), QStringLiteral("a cat, a dog, a dog"));
    EXPECT_EQ(e.selection(), std::make_pair(16, 19));
    EXPECT_THAT(e.messages, ElementsAre(done())) << "the last one after the caret";

    e.edit.undo();
    EXPECT_EQ(e.text(), QStringLiteral("a cat, a dog, a cat"));
    e.edit.undo();
    EXPECT_EQ(e.text(), QStringLiteral("a cat, a cat, a cat"));
}

TEST(Replace, AReplacementPastedWithCarriageReturnsIsSelectedWhole)
{
    Editor e(QStringLiteral("aa"));
    e.replace(QStringLiteral("a"), QStringLiteral("x\r\ny"), false);
    EXPECT_EQ(e.selectedText(), QStringLiteral("x\u2029y"));
    e.replace(QStringLiteral("a"), QStringLiteral("x\r\ny"), false);
    EXPECT_EQ(e.text(), QStringLiteral("x\nyx\ny"));
    EXPECT_EQ(e.selection(), std::make_pair(3, 6));

    Editor all(QStringLiteral("ab ab"));
    all.replace(QStringLiteral("ab"), QStringLiteral("1\r2"), true);
    EXPECT_EQ(all.text(), QStringLiteral("1\n2 1\n2"));
    EXPECT_EQ(all.selection(), std::make_pair(4, 7));
}

TEST(ReplaceAll, OnePassOverTheTextAsOneUndoStep)
{
    Editor e(QStringLiteral("a banana, a"));
    e.replace(QStringLiteral("a"), QStringLiteral("ab"), true);
    EXPECT_EQ(e.text(), QStringLiteral("ab babnabnab, ab"));
    EXPECT_EQ(e.selection(), std::make_pair(14, 16)) << "the last replacement is selected";
    EXPECT_THAT(e.messages, ElementsAre(done()));
    e.edit.undo();
    EXPECT_EQ(e.text(), QStringLiteral("a banana, a"));

    e.select(0, 0);
    e.replace(QStringLiteral("kiwi"), QStringLiteral("x"), true);
    EXPECT_EQ(e.text(), QStringLiteral("a banana, a"));
    EXPECT_EQ(e.messages.size(), 2);
}

TEST(ReplaceAll, EachReplacementKeepsTheFormatOfWhatItReplaced)
{
    Editor e{QString()};
    e.edit.setHtml(QStringLiteral("<p>a <b>a</b> a</p><p>a a</p><p><i>a</i></p>"));
    e.replace(QStringLiteral("a"), QStringLiteral("xy"), true);
    EXPECT_EQ(e.text(), QStringLiteral("xy xy xy\nxy xy\nxy"));
    const auto formatAt = [&](int position) {
        QTextCursor cursor(e.edit.document());
        cursor.setPosition(position + 1);
        return cursor.charFormat();
    };
    EXPECT_EQ(formatAt(2).fontWeight(), QFont::Normal);
    EXPECT_EQ(formatAt(3).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(4).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatAt(6).fontWeight(), QFont::Normal);
    EXPECT_TRUE(formatAt(15).fontItalic());
    EXPECT_FALSE(formatAt(12).fontItalic());
    EXPECT_EQ(e.selection(), std::make_pair(15, 17));
    e.edit.undo();
    EXPECT_EQ(e.text(), QStringLiteral("a a a\na a\na"));
}

// Whole words are told apart in the text as it stands after each replacement.
TEST(ReplaceAll, AWholeWordBesideAReplacementIsJudgedByWhatWasPutThere)
{
    Editor e(QStringLiteral("-- x-"));
    e.replace(QStringLiteral("-"), QStringLiteral("y"), true, {false, true});
    EXPECT_EQ(e.text(), QStringLiteral("y- x-"));
    e.edit.setPlainText(QStringLiteral("!-a-a"));
    e.replace(QStringLiteral("-a"), QString(), true, {false, true});
    EXPECT_EQ(e.text(), QStringLiteral("!"));
}
