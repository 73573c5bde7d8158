// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <QCoreApplication>
#include <QElapsedTimer>

namespace testsupport {

// Handles events until the condition holds or the time is up; returns the condition.
inline bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

} // namespace testsupport
