// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"
#include "tests/app/FakeServices.h"
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
    testsupport::FakeServices fakes;
    TFmain window(fakes.services);
    window.show();
    const auto spoken = [&](const QString& key) {
        return fakes.engine.calls.contains(QStringLiteral("speak-key ") + key);
    };
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "a"}), 0);
    EXPECT_TRUE(testsupport::waitUntil([&] { return spoken(QStringLiteral("A")); }))
        << fakes.engine.calls.join(u'\n').toStdString();
    window.hide();
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "KP_7"}), 0);
    EXPECT_TRUE(testsupport::waitUntil([&] { return spoken(QStringLiteral("7")); }));
    EXPECT_TRUE(window.findChild<QCheckBox*>(QStringLiteral("CBSpeakKeyAll"))->toolTip().isEmpty());
    EXPECT_TRUE(fakes.messageBoxes.errors.isEmpty());
}
