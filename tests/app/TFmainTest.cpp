// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"

#include "engine/HelperEngine.h"
#include "platform/DateFormats.h"
#include "tests/app/FakeServices.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/TemporaryConfig.h"

#include <gmock/gmock.h>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <QTextEdit>

using testing::ElementsAre;

namespace {

struct Window : testsupport::FakeServices {
    Window() { testsupport::applicationMessageBoxes().errors.clear(); }

    template <typename Widget> Widget* control(const char* name)
    {
        return window->findChild<Widget*>(QLatin1String(name));
    }

    testsupport::TemporaryConfig config;
    std::unique_ptr<TFmain> window;
};

qsizetype indexOf(const QStringList& calls, const char* call)
{
    return calls.indexOf(QLatin1String(call));
}

} // namespace

TEST(TFmain, StartsUpWithTheFirstVoiceAndTheDefaultRateAndVolume)
{
    Window w;
    w.window = std::make_unique<TFmain>(w.services);
    const QStringList& calls = w.engine.calls;
    EXPECT_EQ(calls.count(QStringLiteral("create")), 1);
    const qsizetype interests =
        calls.indexOf(QStringLiteral("interests 33790"), 1 + indexOf(calls, "interests 33790"));
    ASSERT_GT(interests, 0) << "set again by the start-up";
    EXPECT_LT(interests, indexOf(calls, "voices"));
    EXPECT_LT(indexOf(calls, "voices"), indexOf(calls, "voice Anna"));
    EXPECT_LT(indexOf(calls, "voice Anna"), indexOf(calls, "rate?"));
    EXPECT_LT(indexOf(calls, "rate?"), indexOf(calls, "volume 80"));
    EXPECT_LT(indexOf(calls, "volume 80"), indexOf(calls, "volume?"));
    EXPECT_EQ(w.control<QComboBox>("cbVoices")->currentText(), QStringLiteral("Anna"));
    EXPECT_EQ(w.control<QLabel>("lblRate")->text(), QStringLiteral("0"));
    EXPECT_EQ(w.control<QSlider>("TBVolume")->value(), 80);
    EXPECT_EQ(w.control<QLabel>("lblVolume")->text(), QStringLiteral("80"));
    EXPECT_THAT(w.control<QCheckBox>("CBSpeakdigit")->toolTip().toStdString(),
                testing::HasSubstr("X11"))
        << "no typed key is heard without X11";
    EXPECT_TRUE(w.messageBoxes.errors.isEmpty());
}

TEST(TFmain, AnErrorInTheStartUpIsShownAndTheRestIsNotRun)
{
    Window w;
    w.engine.failing = {QStringLiteral("voices")};
    w.window = std::make_unique<TFmain>(w.services);
    EXPECT_THAT(w.messageBoxes.errors, ElementsAre("voices."));
    EXPECT_EQ(indexOf(w.engine.calls, "rate?"), -1);
    EXPECT_EQ(w.control<QComboBox>("cbVoices")->count(), 0);
}

TEST(TFmain, WithoutTheSpeechHelperTheStartGoesUpToTheVoiceAndTheUsersFilesStayAsTheyWere)
{
    testsupport::TemporaryConfig config;
    const QByteArray settings = "[set]\r\nVolume=65\r\nRate=3\r\nSpeakKey=Letter\r\n"
                                "Font=\"Courier New\", 12, [Bold], [clRed]\r\n";
    const QByteArray history("\xFF\xFE/\0a\0\r\0\n\0", 10);
    config.write(QStringLiteral("set.ini"), settings);
    config.write(QStringLiteral("files.ini"), history);
    processDateFormats() = {};
    engine::HelperEngine engine(
        QStringLiteral("/nonexistent/lectorix-synth"),
        testsupport::recordingSinkFactory(std::make_shared<testsupport::Recording>()));
    testsupport::RecordingMessageBoxes messageBoxes;
    testsupport::ScriptedFileDialogs fileDialogs;
    testsupport::ScriptedEditorDialogs editorDialogs;
    PlatformServices services{
        engine, messageBoxes,         [] { return false; }, fileDialogs, editorDialogs,
        0,      [](const QString&) {}};
    {
        TFmain window(services);
        EXPECT_EQ(messageBoxes.errors.size(), 1);
        EXPECT_TRUE(window.acceptDrops());
        EXPECT_EQ(processDateFormats().shortDate, QStringLiteral("yyyy-mm-dd"));
        EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("cbVoices"))->count(), 0);
        EXPECT_TRUE(window.close());
    }
    EXPECT_EQ(messageBoxes.errors.size(), 1);
    EXPECT_EQ(config.read(QStringLiteral("set.ini")), settings);
    EXPECT_EQ(config.read(QStringLiteral("files.ini")), history);
}

TEST(TFmain, AnErrorThatEscapesAHandlerIsShownAndTheProgramGoesOn)
{
    Window w;
    w.window = std::make_unique<TFmain>(w.services);
    w.window->show();
    w.engine.failing = {QStringLiteral("rate")};
    QSlider* rate = w.control<QSlider>("TBRate");
    rate->setFocus();
    QTest::keyClick(rate, Qt::Key_Right);
    EXPECT_THAT(w.messageBoxes.errors, ElementsAre("rate 1."));
    EXPECT_EQ(w.control<QLabel>("lblRate")->text(), QStringLiteral("0"));
    w.engine.failing.clear();
    QTest::keyClick(rate, Qt::Key_Right);
    EXPECT_EQ(w.control<QLabel>("lblRate")->text(), QStringLiteral("2"));
}

TEST(TFmain, ButtonsReadPauseAndStop)
{
    Window w;
    w.window = std::make_unique<TFmain>(w.services);
    w.control<QTextEdit>("RichEdit1")->setPlainText(QStringLiteral("Read me."));
    w.control<QSlider>("TBRate")->setValue(-3);
    w.engine.calls.clear();
    w.control<QAbstractButton>("BtnAloud")->click();
    EXPECT_THAT(w.engine.calls,
                ElementsAre("release", "create", "voice Anna", "rate -3", "volume 80",
                            "interests 33790", "voice Anna", "speak Read me."));
    w.engine.sendAudioLevel(7);
    EXPECT_EQ(w.control<QProgressBar>("ProgressBar1")->value(), 7);
    w.control<QAbstractButton>("BtnPause")->click();
    EXPECT_EQ(w.engine.calls.last(), QStringLiteral("pause"));
    w.control<QAbstractButton>("BtnStop")->click();
    EXPECT_EQ(w.engine.calls.last(), QStringLiteral("release"));
    EXPECT_EQ(w.control<QProgressBar>("ProgressBar1")->value(), 7);
    w.engine.calls.clear();
    w.window->NDefaultvolumeClick();
    EXPECT_THAT(w.engine.calls.mid(0, 1), ElementsAre("create"));
    EXPECT_TRUE(w.engine.calls.contains(QStringLiteral("volume?")));
}

TEST(TFmain, ClosingStopsTheSpeechFirst)
{
    Window w;
    w.window = std::make_unique<TFmain>(w.services);
    w.window->show();
    w.window->BtnAloudClick();
    w.engine.calls.clear();
    EXPECT_TRUE(w.window->close());
    ASSERT_FALSE(w.engine.calls.isEmpty());
    EXPECT_EQ(w.engine.calls.first(), QStringLiteral("release"));
    EXPECT_EQ(w.engine.calls.last(), QStringLiteral("skip Sentence 2147483647"));
}

TEST(MessageBoxes, AFullStopIsAppendedWhenTheLastCharacterSortsAfterIt)
{
    EXPECT_EQ(MessageBoxes::errorText(QStringLiteral("abc")), QStringLiteral("abc."));
    EXPECT_EQ(MessageBoxes::errorText(QStringLiteral("abc.")), QStringLiteral("abc."));
    EXPECT_EQ(MessageBoxes::errorText(QStringLiteral("abc!")), QStringLiteral("abc!"));
    EXPECT_EQ(MessageBoxes::errorText(QStringLiteral("Unable to write to /x/set.ini")),
              QStringLiteral("Unable to write to /x/set.ini."));
    EXPECT_EQ(MessageBoxes::errorText(QStringLiteral("无法写入")), QStringLiteral("无法写入."));
    EXPECT_EQ(MessageBoxes::errorText(QString()), QString());
}

TEST(TFmain, OnVersionFiveTheTwoVoicesAreEnteredWhileTheProgramRuns)
{
    const QString tokens = QStringLiteral("\\SOFTWARE\\Microsoft\\Speech\\Voices\\Tokens\\");
    Window w;
    w.services.osMajorVersion = 5;
    w.window = std::make_unique<TFmain>(w.services);
    const QString file = w.config.dataFile(QStringLiteral("registry.json"));
    EXPECT_EQ(formats::Registry(file).ReadString(tokens + QStringLiteral("MSMike"), {}),
              QStringLiteral("Microsoft Mike"));
    EXPECT_TRUE(formats::Registry(file).KeyExists(tokens + QStringLiteral("MsMary\\LTS")));
    w.window.reset();
    EXPECT_FALSE(formats::Registry(file).KeyExists(tokens + QStringLiteral("MsMary")));
    EXPECT_FALSE(formats::Registry(file).KeyExists(tokens + QStringLiteral("MsMike")));

    Window six;
    six.services.osMajorVersion = 6;
    six.window = std::make_unique<TFmain>(six.services);
    six.window.reset();
    EXPECT_FALSE(QFile::exists(six.config.dataFile(QStringLiteral("registry.json"))));
}

// Tab goes through the window as it is laid out: the tool bar, the address bar, the text, then
// the property bar beside it, and round again.
TEST(TFmain, TabFollowsTheLayout)
{
    Window w;
    w.window = std::make_unique<TFmain>(w.services);
    w.window->show();
    QWidget* const first = w.control<QWidget>("BtnOpen");
    QStringList chain;
    QWidget* at = first;
    do {
        if ((at->focusPolicy() & Qt::TabFocus) && at->isVisible() && !at->objectName().isEmpty())
            chain << at->objectName();
        at = at->nextInFocusChain();
    } while (at != first);
    EXPECT_EQ(chain.join(u' '),
              "BtnOpen BtnPaste BtnExport BtnAloud BtnPause BtnStop BtnHelp BtnAbout CUrl BtnGo "
              "RichEdit1 cbVoices TBRate TBVolume CBSpeakKeyAll CBSpeakletterdigit CBSpeakLetter "
              "CBSpeakdigit CBSpeakClipBrd CBShowKeyWord CBShowClipBrdText");
}
