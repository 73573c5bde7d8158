// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QString>

namespace testsupport {

// A session bus of the test's own with the desktop's accessibility bus on it, as a desktop
// session starts them.
struct AccessibilityBus {
    static inline const QString Launcher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");

    AccessibilityBus()
    {
        session.start(QStringLiteral("dbus-daemon"),
                      {"--session", "--nofork", "--nosyslog", "--print-address=1"});
        if (!session.waitForReadyRead(10000))
            return;
        qputenv("DBUS_SESSION_BUS_ADDRESS", session.readLine().trimmed());
        launcher.start(Launcher, {"--launch-immediately"});
        started = launcher.waitForStarted();
    }
    ~AccessibilityBus()
    {
        for (QProcess* process : {&launcher, &session}) {
            process->terminate();
            process->waitForFinished();
        }
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }

    QProcess session;
    QProcess launcher;
    bool started = false;
};

} // namespace testsupport
