// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FormatCommands.h"

#include "documents/EditorLoader.h"
#include "editor/EditCommands.h"
#include "editor/EditorLook.h"
#include "editor/FontDialog.h"
#include "platform/DateFormats.h"
#include "platform/EditorContent.h"
#include "tests/support/ScriptedEditorDialogs.h"
#include "tests/support/TemporaryFiles.h"

#include <clocale>
#include <gmock/gmock.h>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDateTime>
#include <QGuiApplication>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <set>

namespace {

class FakeLook final : public editor::EditorLook {
public:
    QFont defaultFont() const override { return font; }
    void setDefaultFont(const QFont& chosen) override { font = chosen; }
    QColor textColor() const override { return text; }
    void setTextColor(const QColor& color) override { text = color; }
    QColor backgroundColor() const override { return background; }
    void setBackgroundColor(const QColor& color) override { background = color; }

    QFont font{QStringLiteral("Tahoma"), 8};
    QColor text{Qt::black};
    QColor background{Qt::white};
};

struct Editor {
    Editor()
        : previousTimeLocale(std::setlocale(LC_TIME, nullptr))
    {
        edit.setHtml(QStringLiteral("<p>plain <b>bold</b> end</p>"));
        processDateFormats() = {QStringLiteral("-"), QStringLiteral("yyyy-mm-dd"),
                                QStringLiteral("yyyy-mm-dd")};
        std::setlocale(LC_TIME, "C");
    }
    ~Editor() { std::setlocale(LC_TIME, previousTimeLocale.c_str()); }

    bool boldAt(int position) const
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().fontWeight() == QFont::Bold;
    }
    QString familyAt(int position) const
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(position + 1);
        return cursor.charFormat().font().family();
    }
    void select(int from, int to)
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        edit.setTextCursor(cursor);
    }

    std::string previousTimeLocale;
    QTextEdit edit;
    QAction undoItem;
    QAction redoItem;
    editor::EditCommands commands{edit, undoItem, redoItem};
    FakeLook look;
    testsupport::ScriptedEditorDialogs dialogs;
    editor::FormatCommands format{edit, look, dialogs};
};

} // namespace

TEST(DateTime, GoesToTheVeryEndAndLeavesTheFormattingAndTheCaretAlone)
{
    Editor e;
    e.select(2, 2);
    e.commands.appendDateTime(QDateTime(QDate(2009, 3, 5), QTime(14, 7, 9)));
    EXPECT_EQ(e.edit.toPlainText(), QStringLiteral("plain bold end2009-03-05 14:07:09"));
    EXPECT_TRUE(e.boldAt(6));
    EXPECT_FALSE(e.boldAt(5));
    EXPECT_EQ(e.edit.textCursor().position(), 2);

    e.commands.appendDateTime(QDateTime(QDate(2010, 12, 31), QTime(0, 0)));
    EXPECT_TRUE(e.edit.toPlainText().endsWith(QStringLiteral(":092010-12-31")))
        << "at midnight the date alone";
    e.edit.undo();
    EXPECT_EQ(e.edit.toPlainText(), QStringLiteral("plain bold end2009-03-05 14:07:09"));
    e.edit.undo();
    EXPECT_EQ(e.edit.toPlainText(), QStringLiteral("plain bold end"));
}

TEST(Alignment, EveryParagraphTakesItAndTextFormattingAndWrapStay)
{
    Editor e;
    const QString paragraph = QStringLiteral("word ").repeated(200);
    QTextCursor end(e.edit.document());
    end.movePosition(QTextCursor::End);
    end.insertText(u'\n' + paragraph);
    e.edit.resize(300, 200);
    const QString text = e.edit.toPlainText();
    for (Qt::Alignment alignment : {Qt::AlignHCenter, Qt::AlignRight, Qt::AlignLeft}) {
        e.format.align(alignment);
        EXPECT_EQ(e.edit.toPlainText(), text);
        EXPECT_EQ(e.edit.document()->blockCount(), 2);
        for (QTextBlock block = e.edit.document()->begin(); block.isValid(); block = block.next())
            EXPECT_EQ(block.blockFormat().alignment(), alignment);
        EXPECT_TRUE(e.boldAt(6));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
}

TEST(Alignment, TextPutInLaterTakesItToo)
{
    Editor e;
    testsupport::TemporaryFiles files;
    documents::EditorLoader loader(e.edit);
    const auto alignments = [&] {
        std::set<int> found;
        for (QTextBlock block = e.edit.document()->begin(); block.isValid(); block = block.next())
            found.insert(static_cast<int>(block.blockFormat().alignment()));
        return found;
    };
    e.format.align(Qt::AlignRight);
    loader.load(files.write(QStringLiteral("opened.txt"), "one\ntwo\nthree"));
    EXPECT_EQ(alignments(), std::set{static_cast<int>(Qt::AlignRight)});
    loader.load(files.write(QStringLiteral("opened.rtf"), "{\\rtf1 left\\par \\qc centre\\par}"));
    EXPECT_EQ(e.edit.toPlainText(), QStringLiteral("left\ncentre"));
    EXPECT_EQ(alignments(), std::set{static_cast<int>(Qt::AlignRight)});
    e.format.align(Qt::AlignHCenter);
    platform::replaceEditorText(e.edit, QStringLiteral("copied\ntext"));
    EXPECT_EQ(alignments(), std::set{static_cast<int>(Qt::AlignHCenter)});
}

TEST(Font, TheChoiceWithItsColourGoesToTheSelectionOrBecomesTheDefault)
{
    Editor e;
    const editor::FontChoice chosen{QFont(QStringLiteral("Courier New"), 14), QColor(Qt::yellow)};
    e.dialogs.fontAnswer = chosen;
    e.select(6, 10);
    e.format.chooseFont();
    EXPECT_EQ(e.familyAt(6), QStringLiteral("Courier New"));
    EXPECT_EQ(QTextCursor(e.edit.document()).block().begin().fragment().charFormat().foreground(),
              QBrush())
        << "text before the selection keeps its colour";
    EXPECT_NE(e.familyAt(5), QStringLiteral("Courier New"));
    EXPECT_FALSE(e.boldAt(9)) << "the dialog's style replaces the selection's";
    EXPECT_EQ(e.look.font.family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(e.look.text, QColor(Qt::black));
    EXPECT_EQ(e.dialogs.presetFonts.first().font.family(), QStringLiteral("Tahoma"));
    EXPECT_EQ(e.dialogs.presetFonts.first().color, QColor(Qt::black));
    QTextCursor selected(e.edit.document());
    selected.setPosition(7);
    EXPECT_EQ(selected.charFormat().foreground().color(), QColor(Qt::yellow));

    e.select(3, 3);
    e.format.chooseFont();
    EXPECT_EQ(e.look.font.family(), QStringLiteral("Tahoma")) << "cancelled";
    e.dialogs.fontAnswer = chosen;
    e.format.chooseFont();
    EXPECT_EQ(e.look.font, chosen.font);
    EXPECT_EQ(e.look.text, QColor(Qt::yellow));
    EXPECT_NE(e.familyAt(0), QStringLiteral("Courier New")) << "the text has no font of its own";
}

TEST(Font, TheDialogOffersTheTextColourBesideTheFont)
{
    editor::FontDialog dialog({QFont(QStringLiteral("Courier New"), 14), QColor(Qt::red)}, nullptr);
    EXPECT_EQ(dialog.choice().color, QColor(Qt::red));
    EXPECT_EQ(dialog.choice().font.pointSize(), 14);
    QTimer::singleShot(0, [] {
        auto* colors = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(colors, nullptr);
        EXPECT_EQ(colors->currentColor(), QColor(Qt::red));
        colors->setCurrentColor(QColor(Qt::blue));
        colors->accept();
    });
    dialog.findChild<QPushButton*>(QStringLiteral("color"))->click();
    EXPECT_EQ(dialog.choice().color, QColor(Qt::blue));
}

TEST(Background, TheDialogStartsFromTheEditorsColourAndOkTakesTheChoice)
{
    Editor e;
    e.format.chooseBackground();
    EXPECT_EQ(e.look.background, QColor(Qt::white));
    e.dialogs.colorAnswer = QColor(10, 20, 30);
    e.format.chooseBackground();
    EXPECT_EQ(e.look.background, QColor(10, 20, 30));
    EXPECT_THAT(e.dialogs.presetColors, testing::ElementsAre(QColor(Qt::white), QColor(Qt::white)));
}
