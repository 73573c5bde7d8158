// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "tests/support/SessionBus.h"

#include <QProcess>
#include <QString>

namespace testsupport {

// A session bus of the test's own with the desktop's accessibility bus on it, as a desktop
// session starts them.
struct AccessibilityBus {
    static inline const QString Launcher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");

    AccessibilityBus()
    {
        if (session.address.isEmpty())
            return;
        launcher.start(Launcher, {"--launch-immediately"});
        started = launcher.waitForStarted();
    }
    ~AccessibilityBus()
    {
        launcher.terminate();
        launcher.waitForFinished();
    }

    SessionBus session;
    QProcess launcher;
    bool started = false;
};

} // namespace testsupport
