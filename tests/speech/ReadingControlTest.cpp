#include "speech/ReadingControl.h"

#include "tests/support/FakeSpeechEngine.h"
#include "tests/support/ReadingWidgets.h"

#include <gmock/gmock.h>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTextEdit>

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
