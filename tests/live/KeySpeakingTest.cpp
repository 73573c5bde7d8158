// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/KeySpeaking.h"

#include "speech/VoiceHolder.h"
#include "tests/support/FakeSpeechEngine.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QTextEdit>

namespace {

// The extended bit as it stands above the scan code.
constexpr std::uint32_t E = 0x100;
constexpr std::uint32_t Previous = 1u << 30;

struct KeySpeakingTest : testing::Test {
    // The key of Windows' scan code, as the hook reports it when it goes up.
    void type(std::initializer_list<std::uint32_t> keys)
    {
        for (std::uint32_t key : keys)
            speaking.keyMessage(key << 16 | Previous | 0x80000001);
    }
    // The voice's calls since the given count of them, readable in a failure.
    std::string said(qsizetype since = 0) const
    {
        return engine.callsOfCurrentVoice().mid(since).join(u'|').toStdString();
    }
    std::string shown() const { return editor.toPlainText().toStdString(); }
    static std::string heard(const QStringList& names)
    {
        QStringList calls;
        for (const QString& name : names)
            calls << QStringLiteral("skip Sentence 2147483647")
                  << QStringLiteral("speak-key ") + name;
        return calls.join(u'|').toStdString();
    }

    testsupport::FakeSpeechEngine engine;
    speech::VoiceHolder voice{engine};
    QCheckBox all, letterDigit, letter, digit, show;
    QTextEdit editor;
    live::KeySpeaking speaking{voice, {all, letterDigit, letter, digit, show}, editor};
};

} // namespace

TEST_F(KeySpeakingTest, AllSpeaksEveryKeyWithoutItsSide)
{
    all.setChecked(true);
    type({0x1E, 0x47, 0x45 | E, 0x36, 0x5B | E, 0x4B | E, 0x4D | E, 0x3B, 0x1C, 0x39, 0x33});
    EXPECT_EQ(said(), heard({"A", "7", "Lock", "Shift", "Windows", "Left", "Right", "F1", "Enter",
                             "Space", ","}));
}

TEST_F(KeySpeakingTest, EachModeSpeaksOnlyItsKeys)
{
    const std::pair<QCheckBox*, QStringList> modes[] = {
        {&letterDigit, {"A", "7"}}, {&letter, {"A"}}, {&digit, {"7"}}};
    for (const auto& [box, names] : modes) {
        box->setChecked(true);
        const qsizetype before = engine.callsOfCurrentVoice().size();
        type({0x1E, 0x47, 0x3B, 0x33});
        EXPECT_EQ(said(before), heard(names));
        box->setChecked(false);
    }
}

TEST_F(KeySpeakingTest, AKeyGoingDownIsNeitherSpokenNorShown)
{
    all.setChecked(true);
    show.setChecked(true);
    speaking.keyMessage(0x1E << 16 | 1);
    EXPECT_TRUE(engine.calls.isEmpty());
    EXPECT_EQ(shown(), "");
}

TEST_F(KeySpeakingTest, NamesAreShownAtTheEndWithoutSpeakingOrMovingTheSelection)
{
    show.setChecked(true);
    editor.setPlainText("hello");
    QTextCursor selection(editor.document());
    selection.setPosition(1);
    selection.setPosition(4, QTextCursor::KeepAnchor);
    editor.setTextCursor(selection);
    type({0x1E, 0x47, 0x36, 0x00});
    EXPECT_EQ(shown(), "hello\nA\n7\nShift\n");
    EXPECT_EQ(editor.textCursor().selectedText(), "ell");
    EXPECT_TRUE(engine.calls.isEmpty());
}

TEST_F(KeySpeakingTest, AVoiceThatCannotBeCutShortLeavesTheKeyUnspokenAndUnshown)
{
    all.setChecked(true);
    show.setChecked(true);
    engine.failing = {"skip"};
    type({0x1E});
    engine.failing.clear();
    type({0x30});
    EXPECT_EQ(said(), "skip Sentence 2147483647|" + heard({"B"}));
    EXPECT_EQ(shown(), "B");
}

TEST_F(KeySpeakingTest, AFailureToSpeakReachesTheCaller)
{
    letter.setChecked(true);
    engine.failing = {"speak-key"};
    EXPECT_THROW(type({0x1E}), std::runtime_error);
}
