// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"
#include "tests/app/FakeServices.h"
#include "tests/support/AccessibilityBus.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/WaitUntil.h"

#include <gmock/gmock.h>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>

namespace {

// The program run as a desktop shortcut runs it, while this window answers on the bus.
int run(const QString& option)
{
    QProcess command;
    command.start(QStringLiteral(LECTORIX_PROGRAM), {option});
    if (!testsupport::waitUntil([&] { return command.state() == QProcess::NotRunning; }))
        return -1;
    return command.exitCode();
}

} // namespace

// What is selected in any program, or else the clipboard, is read by the running window; stop
// and pause reach it too.
TEST(RemoteControl, TheCommandLineHasTheRunningWindowReadTheSelectionStopAndPause)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        GTEST_SKIP() << "needs Xvfb and dbus-daemon";
    testsupport::AccessibilityBus bus;
    ASSERT_TRUE(bus.started);
    testsupport::TemporaryConfig config;
    testsupport::FakeServices fakes;
    TFmain window(fakes.services);
    // Copying is not to be heard on its own here.
    window.findChild<QCheckBox*>(QStringLiteral("CBSpeakClipBrd"))->setChecked(false);
    QClipboard& clipboard = *QGuiApplication::clipboard();

    clipboard.setText(QStringLiteral("Copied words"), QClipboard::Clipboard);
    clipboard.setText(QStringLiteral("Selected words"), QClipboard::Selection);
    EXPECT_EQ(run(QStringLiteral("--read-selection")), 0);
    clipboard.clear(QClipboard::Selection);
    EXPECT_EQ(run(QStringLiteral("--read-selection")), 0);
    EXPECT_EQ(run(QStringLiteral("--pause")), 0);
    EXPECT_EQ(run(QStringLiteral("--stop")), 0);
    QStringList heard;
    for (const QString& call : fakes.engine.calls)
        if (call.startsWith(QLatin1String("speak")) || call == QLatin1String("pause") ||
            call == QLatin1String("release"))
            heard << call;
    EXPECT_THAT(heard, testing::ElementsAre("speak Selected words", "speak Copied words", "pause",
                                            "release"))
        << fakes.engine.calls.join(u'\n').toStdString();
    EXPECT_TRUE(fakes.messageBoxes.errors.isEmpty());
}
