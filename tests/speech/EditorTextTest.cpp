// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/EditorText.h"

#include "speech/ReadingControl.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ReadingWidgets.h"

#include <gtest/gtest.h>
#include <QTextCursor>
#include <QTextDocumentFragment>

using namespace testsupport;

namespace {

QString longDocument()
{
    QString text;
    for (int i = 1; i <= 100; ++i)
        text += QStringLiteral("Paragraph %1 has\u00A0two short sentences. It ends here.\n").arg(i);
    return text + QStringLiteral("The last line.");
}

} // namespace

TEST(EditorText, GivesTheTextAsTheEditorsPlainTextDoes)
{
    QTextEdit editor;
    editor.setPlainText(longDocument());
    EXPECT_EQ(speech::selectionOrWholeText(editor), editor.toPlainText());
    const speech::DeferredText whole =
        speech::textToRead(editor, speech::selectionOrWholeRange(editor));
    EXPECT_LT(whole.beginning.size(), editor.toPlainText().size());
    EXPECT_TRUE(editor.toPlainText().startsWith(whole.beginning));
    EXPECT_EQ(whole.taken(), editor.toPlainText());

    QTextCursor cursor(editor.document());
    cursor.setPosition(30);
    cursor.setPosition(2500, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    EXPECT_EQ(speech::selectionOrWholeText(editor), cursor.selection().toPlainText());
    EXPECT_EQ(speech::textToRead(editor, speech::selectionOrWholeRange(editor)).taken(),
              cursor.selection().toPlainText());
}

TEST(EditorText, ALongDocumentReadAloudIsHeardWhole)
{
    EngineUnderTest unpaced(false);
    speech::VoiceHolder holder(unpaced.engine);
    ReadingWidgets widgets;
    widgets.volume.setValue(100);
    speech::ReadingControl reading(holder, widgets.controls());
    reading.fillVoiceList(0);
    widgets.editor.setPlainText(longDocument());

    reading.readAloud();
    ASSERT_TRUE(waitUntil([&] { return holder->WaitUntilDone(0); }, 120000));
    EXPECT_NEAR(unpaced.secondsHeard() / secondsOf(render(widgets.editor.toPlainText())), 1.0,
                0.01);
}
