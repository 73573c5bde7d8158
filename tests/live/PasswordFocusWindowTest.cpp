// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"
#include "platform/PasswordFocus.h"
#include "tests/app/FakeServices.h"
#include "tests/support/AccessibilityBus.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/WaitUntil.h"

#include <gmock/gmock.h>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

// What is typed into another program's password field is neither spoken nor shown.
TEST(PasswordFocusWindow, KeysTypedInAPasswordFieldAreSilentAndInAPlainFieldSpoken)
{
    for (const QString& program : {QStringLiteral("xdotool"), QStringLiteral("dbus-daemon")})
        if (QStandardPaths::findExecutable(program).isEmpty())
            GTEST_SKIP() << "needs " << program.toStdString();
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        !QFile::exists(testsupport::AccessibilityBus::Launcher))
        GTEST_SKIP() << "needs Xvfb and at-spi2-core";
    testsupport::AccessibilityBus bus;
    ASSERT_TRUE(bus.started);
    testsupport::TemporaryConfig config;
    testsupport::FakeServices fakes;
    TFmain window(fakes.services);
    window.show();
    auto* focus = window.findChild<platform::PasswordFocus*>();
    ASSERT_NE(focus, nullptr);
    ASSERT_TRUE(testsupport::waitUntil([&] { return focus->isListening(); }));

    QProcess other;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    other.setProcessEnvironment(environment);
    other.start(QStringLiteral(PASSWORD_WINDOW));
    ASSERT_TRUE(other.waitForStarted());
    const auto focusOn = [&](const char* field) {
        other.write(QByteArray(field) + '\n');
        return testsupport::waitUntil([&] { return other.canReadLine(); }) &&
               other.readLine().trimmed() == QByteArray("focused ") + field;
    };
    // The other program's accessibility starts a moment after its window: the focus is moved
    // there and back until the change is heard.
    QSignalSpy changes(focus, &platform::PasswordFocus::focusChanged);
    const auto focusUntilHeard = [&](const char* field, const char* other, bool password) {
        for (int attempt = 0; attempt < 10; ++attempt) {
            changes.clear();
            if (!focusOn(other) || !focusOn(field))
                return false;
            if (testsupport::waitUntil(
                    [&] { return !changes.isEmpty() && changes.last().at(0).toBool() == password; },
                    2000))
                return focus->isPasswordFocused() == password;
        }
        return false;
    };
    const auto spoken = [&](const QString& key) {
        return fakes.engine.calls.contains(QStringLiteral("speak-key ") + key);
    };

    ASSERT_TRUE(focusUntilHeard("password", "plain", true));
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "b"}), 0);
    // The key is heard through the hook a moment after it is typed.
    QTest::qWait(1500);
    EXPECT_FALSE(spoken(QStringLiteral("B"))) << fakes.engine.calls.join(u'\n').toStdString();

    ASSERT_TRUE(focusUntilHeard("plain", "password", false));
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "c"}), 0);
    EXPECT_TRUE(testsupport::waitUntil([&] { return spoken(QStringLiteral("C")); }))
        << fakes.engine.calls.join(u'\n').toStdString();
    other.closeWriteChannel();
    other.waitForFinished();
}
