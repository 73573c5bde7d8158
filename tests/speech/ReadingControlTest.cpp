// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/ReadingControl.h"

#include "speech/ReadingResume.h"
#include "tests/support/FakeSpeechEngine.h"
#include "tests/support/ReadingWidgets.h"
#include "tests/support/TemporaryFiles.h"

#include <functional>
#include <gmock/gmock.h>
#include <QComboBox>
#include <QFile>
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

TEST(ReadingControl, PreviousAndNextSentenceGoOnFromTheSentenceWhoseWordIsHeard)
{
    Reading reading;
    reading.control.fillVoiceList(0);
    QTextEdit& editor = reading.controls.editor;
    const QString text = QStringLiteral("One. Two two.\nThree! Four?");
    editor.setPlainText(text);
    const auto spoken = [&] { return reading.engine.calls.last().toStdString(); };
    reading.engine.calls.clear();
    reading.control.nextSentence();
    EXPECT_TRUE(reading.engine.calls.isEmpty()) << "nothing is read yet";

    reading.control.readAloud();
    reading.engine.sendWord(1, text.indexOf(u"two."));
    reading.control.nextSentence();
    EXPECT_EQ(spoken(), "speak Three! Four?");
    reading.engine.sendWord(1, 0);
    reading.control.previousSentence();
    EXPECT_EQ(spoken(), "speak Two two.\nThree! Four?");
    reading.control.previousSentence();
    EXPECT_EQ(spoken(), "speak One. Two two.\nThree! Four?") << "before a word is heard too";
    reading.control.previousSentence();
    EXPECT_EQ(spoken(), "speak One. Two two.\nThree! Four?");
    EXPECT_EQ(markedText(editor), QStringLiteral("<0 marks>"));

    reading.engine.sendWord(1, text.indexOf(u"Four"));
    EXPECT_EQ(markedText(editor), QStringLiteral("Four"));
    const qsizetype calls = reading.engine.calls.size();
    reading.control.nextSentence();
    EXPECT_EQ(reading.engine.calls.size(), calls) << "after the last sentence";

    select(editor, text.indexOf(u"wo two"), text.size());
    reading.control.readAloud();
    reading.engine.sendWord(1, 5);
    reading.control.previousSentence();
    EXPECT_EQ(spoken(), "speak wo two.\nThree! Four?") << "nothing before the selection read";
    reading.control.stop();
    reading.control.nextSentence();
    EXPECT_EQ(spoken(), "release") << "nothing after a stop";
}

// The window opens each file through the editor; here the test puts its text there.
struct Reopening {
    explicit Reopening(const QString& store)
        : positions([store] { return store; })
    {
        reading.control.fillVoiceList(0);
    }

    void open(const QString& path)
    {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            reading.controls.editor.setPlainText(QString::fromUtf8(file.readAll()));
        resume.opened(path);
    }
    int caret() const { return reading.controls.editor.textCursor().position(); }

    formats::ReadingPositions positions;
    Reading reading;
    speech::ReadingResume resume{reading.controls.editor, reading.control, positions};
};

TEST(ReadingResume, ReadingGoesOnWhereItStoppedInAFileUnchangedSince)
{
    testsupport::TemporaryFiles files;
    const QString store = files.folder.filePath(QStringLiteral("positions.json"));
    const QString book = files.write(QStringLiteral("book.txt"), "First part. Second part.");
    const QString other = files.write(QStringLiteral("other.txt"), "Other text");
    {
        Reopening first(store);
        first.open(book);
        first.reading.control.readAloud();
        first.reading.engine.sendWord(1, 12);
        first.open(other);
        EXPECT_EQ(first.caret(), 0);
        first.reading.control.readAloud();
        first.reading.engine.sendWord(1, 6);
        first.reading.controls.editor.setPlainText(QStringLiteral("Typed text, no file"));
        first.reading.control.readAloud();
        first.reading.engine.sendWord(1, 12);
        EXPECT_EQ(first.resume.save(), std::nullopt);
    }
    Reopening again(store);
    again.open(other);
    EXPECT_EQ(again.caret(), 6) << "the text that took its place is no longer the file";
    again.open(book);
    EXPECT_EQ(again.caret(), 12);
    again.reading.control.readAloud();
    EXPECT_EQ(again.reading.engine.calls.last(), QStringLiteral("speak Second part."));
    QTextCursor caret = again.reading.controls.editor.textCursor();
    caret.movePosition(QTextCursor::Start);
    again.reading.controls.editor.setTextCursor(caret);
    again.reading.control.readAloud();
    EXPECT_EQ(again.reading.engine.calls.last(), QStringLiteral("speak First part. Second part."));

    files.write(QStringLiteral("book.txt"), "First part. Second part, changed.");
    again.open(book);
    EXPECT_EQ(again.caret(), 0) << "a changed file starts at the top";
    again.reading.control.readAloud();
    EXPECT_EQ(again.reading.engine.calls.last(),
              QStringLiteral("speak First part. Second part, changed."));
}
