// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/ReadingControl.h"

#include "tests/support/FakeSpeechEngine.h"
#include "tests/support/ReadingWidgets.h"

#include <functional>
#include <gmock/gmock.h>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <tuple>

using testing::ElementsAre;
using testsupport::FakeSpeechEngine;

namespace {

using Controls = testsupport::ReadingWidgets;

struct Reading {
    explicit Reading(QStringList voiceNames = {QStringLiteral("Anna"), QStringLiteral("Ben"),
                                               QStringLiteral("Cleo")})
        : engine(std::move(voiceNames))
    {
        QObject::connect(&controls.rate, &QSlider::valueChanged, [this] { control.rateMoved(); });
        QObject::connect(&controls.volume, &QSlider::valueChanged,
                         [this] { control.volumeMoved(); });
    }

    FakeSpeechEngine engine;
    speech::VoiceHolder holder{engine};
    Controls controls;
    speech::ReadingControl control{holder,
                                   {controls.editor, controls.voices, controls.rate,
                                    controls.rateLabel, controls.volume, controls.volumeLabel,
                                    controls.progress}};
};

} // namespace

TEST(ReadingControl, TheSavedVoiceIsSelectedWhenTheListHasIt)
{
    const std::vector<std::pair<int, int>> savedToSelected = {{-1, 0}, {-7, 0}, {1, 1},
                                                              {2, 2},  {3, 0},  {99, 0}};
    for (const auto& [saved, selected] : savedToSelected) {
        Reading reading;
        reading.control.fillVoiceList(saved);
        EXPECT_EQ(reading.controls.voices.count(), 3);
        EXPECT_EQ(reading.controls.voices.currentIndex(), selected) << saved;
        EXPECT_EQ(reading.engine.calls.count(QStringLiteral("voice ") +
                                             reading.controls.voices.currentText()),
                  1)
            << "the voice is assigned once";
    }
}

TEST(ReadingControl, WithoutVoicesNothingIsSelectedAndNothingSpoken)
{
    Reading reading{{}};
    reading.control.fillVoiceList(0);
    EXPECT_EQ(reading.controls.voices.currentIndex(), -1);
    reading.controls.editor.setPlainText(QStringLiteral("Unheard."));
    reading.engine.calls.clear();
    reading.control.readAloud();
    EXPECT_THAT(reading.engine.calls, ElementsAre("release"));
}

TEST(ReadingControl, RateAndVolumeAreShownAsTheVoiceTookThem)
{
    Reading reading;
    reading.control.applyRateAndVolume(25, -3);
    EXPECT_EQ(reading.controls.rate.value(), 10);
    EXPECT_EQ(reading.controls.rateLabel.text(), QStringLiteral("10"));
    EXPECT_EQ(reading.controls.volume.value(), 0);
    EXPECT_EQ(reading.controls.volumeLabel.text(), QStringLiteral("0"));
    EXPECT_THAT(reading.engine.calls.mid(0, 6),
                ElementsAre("create", "rate 0", "volume 0", "interests 33790", "rate 25", "rate?"));

    reading.controls.rateLabel.setText(QStringLiteral("stale"));
    reading.controls.rate.setValue(0);
    reading.controls.rateLabel.setText(QStringLiteral("stale"));
    reading.engine.calls.clear();
    reading.control.defaultRate();
    EXPECT_THAT(reading.engine.calls, ElementsAre("rate 0", "rate?"));
    EXPECT_EQ(reading.controls.rateLabel.text(), QStringLiteral("0"));
    reading.control.defaultVolume();
    EXPECT_EQ(reading.controls.volume.value(), 80);
    EXPECT_EQ(reading.controls.volumeLabel.text(), QStringLiteral("80"));
}

TEST(ReadingControl, ReadAloudTakesTheSelectionOrTheWholeTextFromItsStart)
{
    Reading reading;
    reading.control.fillVoiceList(1);
    reading.controls.editor.setPlainText(QStringLiteral("One two\nthree"));
    QTextCursor cursor = reading.controls.editor.textCursor();
    cursor.setPosition(4);
    reading.controls.editor.setTextCursor(cursor);
    reading.control.readAloud();
    EXPECT_EQ(reading.engine.calls.last(), QStringLiteral("speak One two\nthree"));

    cursor.setPosition(4);
    cursor.setPosition(13, QTextCursor::KeepAnchor);
    reading.controls.editor.setTextCursor(cursor);
    reading.control.readAloud();
    EXPECT_EQ(reading.engine.calls.last(), QStringLiteral("speak two\nthree"));
}

// Every new voice object speaks with the chosen voice and the rate and volume the track bars show,
// and reports its audio levels.
TEST(ReadingControl, EachReadReleasesTheVoiceAndTheNewOneTakesTheControlsSettings)
{
    Reading reading;
    reading.control.fillVoiceList(2);
    reading.controls.rate.setValue(4);
    reading.controls.volume.setValue(55);
    reading.controls.editor.setPlainText(QStringLiteral("Hello."));
    for (int read = 0; read < 2; ++read) {
        reading.engine.calls.clear();
        reading.control.readAloud();
        EXPECT_THAT(reading.engine.calls,
                    ElementsAre("release", "create", "voice Cleo", "rate 4", "volume 55",
                                "interests 33790", "voice Cleo", "speak Hello."));
    }
}

TEST(ReadingControl, ThePausedFlagFollowsPauseReadAndStop)
{
    Reading reading;
    reading.control.fillVoiceList(0);
    reading.control.pauseOrResume();
    EXPECT_TRUE(reading.control.isPaused());
    EXPECT_EQ(reading.engine.calls.last(), QStringLiteral("pause"));
    reading.control.pauseOrResume();
    EXPECT_FALSE(reading.control.isPaused());
    EXPECT_EQ(reading.engine.calls.last(), QStringLiteral("resume"));

    reading.control.pauseOrResume();
    reading.control.readAloud();
    EXPECT_FALSE(reading.control.isPaused());
    reading.control.pauseOrResume();
    reading.control.stop();
    EXPECT_FALSE(reading.control.isPaused());
    EXPECT_EQ(reading.engine.calls.last(), QStringLiteral("release"));

    reading.engine.failing = {QStringLiteral("pause")};
    reading.control.pauseOrResume();
    EXPECT_FALSE(reading.control.isPaused()) << "a pause that failed changes nothing";
    reading.engine.failing = {QStringLiteral("speak")};
    EXPECT_NO_THROW(reading.control.readAloud());
}

TEST(ReadingControl, TypedTextThatNamesNoVoiceKeepsTheVoiceInForce)
{
    Reading reading;
    reading.control.fillVoiceList(0);
    reading.controls.voices.setEditText(QStringLiteral("Nobody"));
    EXPECT_EQ(reading.control.selectedVoice(), -1);
    reading.engine.calls.clear();
    reading.control.voiceChosen();
    EXPECT_TRUE(reading.engine.calls.isEmpty());
    reading.controls.voices.setEditText(QStringLiteral("Ben"));
    reading.control.voiceChosen();
    EXPECT_THAT(reading.engine.calls, ElementsAre("voice Ben"));
}

TEST(ReadingControl, TheProgressBarShowsLevelsUnscaledAndKeepsTheLast)
{
    Reading reading;
    reading.control.audioLevel({1, 0, 6});
    EXPECT_EQ(reading.controls.progress.value(), 6);
    reading.control.audioLevel({1, 0, 37});
    EXPECT_EQ(reading.controls.progress.value(), 10);
    reading.control.stop();
    EXPECT_EQ(reading.controls.progress.value(), 10);
}

namespace {

QString markedText(const QTextEdit& editor)
{
    const QList<QTextEdit::ExtraSelection> marks = editor.extraSelections();
    return marks.size() == 1 ? marks.front().cursor.selectedText()
                             : QStringLiteral("<%1 marks>").arg(marks.size());
}

void select(QTextEdit& editor, int from, int to)
{
    QTextCursor cursor(editor.document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

} // namespace

TEST(ReadingControl, TheWordHeardIsMarkedInTheSelectionReadAndTheDocumentStaysAsItWas)
{
    Reading reading;
    reading.control.fillVoiceList(0);
    QTextEdit& editor = reading.controls.editor;
    editor.setPlainText(QStringLiteral("Skip this.\nRead 我们 don't 3.5 here.\nNot this."));
    const QString html = editor.toHtml();
    const int from = editor.toPlainText().indexOf(u"Read");
    const int to = editor.toPlainText().indexOf(u"\nNot");
    select(editor, from, to);
    reading.control.readAloud();
    const long stream = 1;
    const QString read = editor.toPlainText().mid(from, to - from);
    const std::vector<std::pair<QString, QString>> heardToMarked = {
        {QStringLiteral("Read"), QStringLiteral("Read")},
        {QStringLiteral("我"), QStringLiteral("我")},
        {QStringLiteral("们"), QStringLiteral("们")},
        {QStringLiteral("don't"), QStringLiteral("don't")},
        {QStringLiteral("3.5"), QStringLiteral("3.5")},
        {QStringLiteral(".5"), QStringLiteral("3.5")},
        {QStringLiteral("here"), QStringLiteral("here")}};
    for (const auto& [heard, marked] : heardToMarked) {
        reading.engine.sendWord(stream, read.indexOf(heard));
        EXPECT_EQ(markedText(editor), marked) << heard.toStdString();
    }
    reading.engine.sendWord(stream + 1, 0);
    reading.engine.sendEndStream(stream + 1);
    EXPECT_EQ(markedText(editor), QStringLiteral("here"))
        << "another stream's words are not marked";
    EXPECT_EQ(editor.textCursor().selectionStart(), from);
    EXPECT_EQ(editor.textCursor().selectionEnd(), to);
    EXPECT_EQ(editor.toHtml(), html);
    EXPECT_FALSE(editor.document()->isModified());
    EXPECT_FALSE(editor.document()->isUndoAvailable());
    reading.engine.sendEndStream(stream);
    EXPECT_TRUE(editor.extraSelections().isEmpty()) << "the end of the text takes the mark away";
}

TEST(ReadingControl, AnEditOfTheTextReadEndsTheMarkingAndAChangeOfFormatDoesNot)
{
    const QString text = QStringLiteral("one two three four");
    const auto edits =
        std::vector<std::tuple<const char*, std::function<void(QTextCursor&)>, bool>>{
            {"bold",
             [](QTextCursor& c) {
                 c.select(QTextCursor::Document);
                 QTextCharFormat bold;
                 bold.setFontWeight(QFont::Bold);
                 c.mergeCharFormat(bold);
             },
             true},
            {"typing", [](QTextCursor& c) { c.insertText(QStringLiteral("x")); }, false},
            {"same length",
             [](QTextCursor& c) {
                 c.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
                 c.insertText(QStringLiteral("x"));
             },
             false},
        };
    for (const auto& [name, edit, marking] : edits) {
        Reading reading;
        reading.control.fillVoiceList(0);
        QTextEdit& editor = reading.controls.editor;
        editor.setPlainText(text);
        reading.control.readAloud();
        reading.engine.sendWord(1, 4);
        QTextCursor cursor(editor.document());
        edit(cursor);
        EXPECT_EQ(markedText(editor), marking ? QStringLiteral("two") : QStringLiteral("<0 marks>"))
            << name;
        reading.engine.sendWord(1, 8);
        EXPECT_EQ(markedText(editor),
                  marking ? QStringLiteral("three") : QStringLiteral("<0 marks>"))
            << name;
    }
}

TEST(ReadingControl, StopAndANewVoiceTakeTheMarkAway)
{
    Reading reading;
    reading.control.fillVoiceList(0);
    QTextEdit& editor = reading.controls.editor;
    editor.setPlainText(QStringLiteral("one two"));
    reading.control.readAloud();
    reading.engine.sendWord(1, 4);
    ASSERT_EQ(markedText(editor), QStringLiteral("two"));
    reading.control.stop();
    EXPECT_TRUE(editor.extraSelections().isEmpty());
    reading.control.readAloud();
    reading.engine.sendWord(1, 0);
    ASSERT_EQ(markedText(editor), QStringLiteral("one"));
    reading.holder.Release();
    reading.holder->Speak(QStringLiteral("key"), speech::Voice::SpeakAsync);
    reading.engine.sendWord(1, 0);
    EXPECT_TRUE(editor.extraSelections().isEmpty()) << "a stream of another voice object";
}
