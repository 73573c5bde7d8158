// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/ClipboardSpeaking.h"

#include "speech/VoiceHolder.h"
#include "tests/support/FakeSpeechEngine.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTextEdit>

using platform::WindowHandle;
using platform::WM_CHANGECBCHAIN;
using platform::WM_DRAWCLIPBOARD;

namespace {

constexpr WindowHandle Window = 0x100;
constexpr WindowHandle Next = 0x200;
constexpr WindowHandle Last = 0x300;

// A message as a viewer after the window received it, with what the window had done by then.
struct Received {
    WindowHandle viewer;
    unsigned message;
    quintptr wParam;
    qintptr lParam;
    qsizetype engineCallsBefore;
    QString editorTextBefore;

    bool operator==(const Received&) const = default;
};

struct ClipboardSpeakingTest : testing::Test {
    ClipboardSpeakingTest()
    {
        join(Last);
        join(Next);
        speaking.join(Window, [this](unsigned message, quintptr wParam, qintptr lParam) {
            if (message == WM_DRAWCLIPBOARD)
                speaking.drawClipboard(wParam, lParam);
            else
                speaking.changeChain(wParam, lParam);
        });
        editor.setPlainText(QStringLiteral("before"));
        voice.voice();
        callsBefore = engine.calls.size();
    }
    void join(WindowHandle viewer)
    {
        chain.SetClipboardViewer(
            viewer, [this, viewer](unsigned message, quintptr wParam, qintptr lParam) {
                received.push_back(
                    {viewer, message, wParam, lParam, engine.calls.size(), editor.toPlainText()});
            });
    }
    Received drawnAt(WindowHandle viewer)
    {
        return {viewer, WM_DRAWCLIPBOARD, 0, 0, callsBefore, QStringLiteral("before")};
    }
    static void copy(const QString& text) { QGuiApplication::clipboard()->setText(text); }
    std::string said() const { return engine.calls.mid(callsBefore).join(u'|').toStdString(); }
    static std::string heard(const QString& text)
    {
        return "skip Sentence 2147483647|speak " + text.toStdString();
    }

    testsupport::FakeSpeechEngine engine;
    speech::VoiceHolder voice{engine};
    QCheckBox speak, show;
    QTextEdit editor;
    platform::ClipboardViewerChain chain;
    live::ClipboardSpeaking speaking{voice, {speak, show}, editor, chain};
    std::vector<Received> received;
    qsizetype callsBefore = 0;
};

} // namespace

TEST_F(ClipboardSpeakingTest, EachOptionDoesItsPartAfterTheNextViewerWasTold)
{
    const struct {
        bool speak, show;
        std::string said;
        QString shown;
    } cases[] = {
        {false, false, "", "before"},
        {true, false, heard("Copied text"), "before"},
        {false, true, "", "Copied text"},
        {true, true, heard("Copied text"), "Copied text"},
    };
    for (const auto& each : cases) {
        speak.setChecked(each.speak);
        show.setChecked(each.show);
        editor.setPlainText(QStringLiteral("before"));
        received.clear();
        callsBefore = engine.calls.size();
        copy(QStringLiteral("Copied text"));
        EXPECT_EQ(said(), each.said) << each.speak << each.show;
        EXPECT_EQ(editor.toPlainText(), each.shown) << each.speak << each.show;
        EXPECT_EQ(received, std::vector{drawnAt(Next)}) << each.speak << each.show;
    }
}

TEST_F(ClipboardSpeakingTest, AnImageOrAMarkedSecretIsOnlyPassedOn)
{
    speak.setChecked(true);
    show.setChecked(true);
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(image);
    auto secret = std::make_unique<QMimeData>();
    secret->setText(QStringLiteral("hunter2"));
    secret->setData(QStringLiteral("x-kde-passwordManagerHint"), "secret");
    QGuiApplication::clipboard()->setMimeData(secret.release());
    EXPECT_EQ(said(), "");
    EXPECT_EQ(editor.toPlainText(), "before");
    EXPECT_EQ(received, (std::vector{drawnAt(Next), drawnAt(Next)}));
}

TEST_F(ClipboardSpeakingTest, TheTextEndsAtItsFirstNulAndAVoiceThatCannotBeCutShortSaysNothing)
{
    speak.setChecked(true);
    show.setChecked(true);
    copy(QStringLiteral("one") + QChar(u'\0') + QStringLiteral("two"));
    EXPECT_EQ(said(), heard("one"));
    EXPECT_EQ(editor.toPlainText(), "one");
    callsBefore = engine.calls.size();
    engine.failing = {"skip"};
    copy(QStringLiteral("three"));
    EXPECT_EQ(said(), "skip Sentence 2147483647");
    EXPECT_EQ(editor.toPlainText(), "one");
    EXPECT_EQ(received.size(), 2u);
}

TEST_F(ClipboardSpeakingTest, ACopyInTheEditorReplacesItsTextWithTheCopiedPartAndUndoBringsItBack)
{
    speak.setChecked(true);
    show.setChecked(true);
    editor.setHtml(QStringLiteral("<p align=\"center\">Hello <b>world</b></p><p>unsaved</p>"));
    const QString before = editor.toHtml();
    QTextCursor selection(editor.document());
    selection.setPosition(6);
    selection.setPosition(11, QTextCursor::KeepAnchor);
    editor.setTextCursor(selection);
    editor.copy();
    EXPECT_EQ(said(), heard("world"));
    EXPECT_EQ(editor.toPlainText(), "world");
    EXPECT_NE(QTextCursor(editor.document()).charFormat().fontWeight(), QFont::Bold)
        << "shown in the editor's own font";
    editor.undo();
    EXPECT_EQ(editor.toHtml(), before);
    EXPECT_FALSE(editor.document()->isUndoAvailable()) << "one step";
}

TEST_F(ClipboardSpeakingTest, TheWindowMendsItsLinkWhenTheViewerAfterItLeaves)
{
    chain.ChangeClipboardChain(Next, Last);
    EXPECT_EQ(speaking.NextViewer, Last);
    copy(QStringLiteral("for the last"));
    EXPECT_EQ(received, std::vector{drawnAt(Last)});

    received.clear();
    chain.ChangeClipboardChain(0x999, 0);
    EXPECT_EQ(received,
              (std::vector<Received>{{Last, WM_CHANGECBCHAIN, 0x999, 0, callsBefore, "before"}}));

    received.clear();
    chain.ChangeClipboardChain(Last, 0);
    EXPECT_EQ(speaking.NextViewer, 0u);
    copy(QStringLiteral("nobody after"));
    EXPECT_TRUE(received.empty());
}

TEST_F(ClipboardSpeakingTest, LeavingHandsTheChainToTheNextViewerAndTellsIt)
{
    speak.setChecked(true);
    speaking.leave();
    EXPECT_EQ(received, (std::vector<Received>{
                            {Next, WM_CHANGECBCHAIN, Window, Next, callsBefore, "before"}}));
    copy(QStringLiteral("after leaving"));
    EXPECT_EQ(said(), "");
    EXPECT_EQ(received.back(), drawnAt(Next));
}
