#include "app/TFmain.h"
#include "tests/app/AppTestMain.h"
#include "tests/support/FakeSpeechEngine.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/WaitUntil.h"

#include <gmock/gmock.h>
#include <QCheckBox>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

// The whole window under a real X display: a key typed anywhere is spoken, shown or hidden.
TEST(KeySpeakingWindow, ATypedKeyIsSpokenEvenWhenTheWindowIsHidden)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool";
    testsupport::TemporaryConfig config;
    testsupport::FakeSpeechEngine engine;
    testsupport::RecordingMessageBoxes messageBoxes;
    testsupport::ScriptedFileDialogs fileDialogs;
    PlatformServices services{engine, messageBoxes,         [] { return false; }, fileDialogs,
                              0,      [](const QString&) {}};
    TFmain window(services);
    window.show();
    const auto spoken = [&](const QString& key) {
        return engine.calls.contains(QStringLiteral("speak ") + key);
    };
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "a"}), 0);
    EXPECT_TRUE(testsupport::waitUntil([&] { return spoken(QStringLiteral("A")); }))
        << engine.calls.join(u'\n').toStdString();
    window.hide();
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "KP_7"}), 0);
    EXPECT_TRUE(testsupport::waitUntil([&] { return spoken(QStringLiteral("7")); }));
    EXPECT_TRUE(window.findChild<QCheckBox*>(QStringLiteral("CBSpeakKeyAll"))->toolTip().isEmpty());
    EXPECT_TRUE(messageBoxes.errors.isEmpty());
}
