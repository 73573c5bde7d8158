// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProcess>
#include <QString>

namespace testsupport {

// A session bus of the test's own, named in DBUS_SESSION_BUS_ADDRESS while it lives.
struct SessionBus {
    SessionBus()
    {
        daemon.start(QStringLiteral("dbus-daemon"),
                     {"--session", "--nofork", "--nosyslog", "--print-address=1"});
        if (!daemon.waitForReadyRead(10000))
            return;
        address = QString::fromLocal8Bit(daemon.readLine().trimmed());
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toLocal8Bit());
    }
    ~SessionBus()
    {
        daemon.terminate();
        daemon.waitForFinished();
        qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    QProcess daemon;
    QString address;
};

} // namespace testsupport
