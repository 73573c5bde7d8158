// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/live/XvfbServer.h"

#include <gmock/gmock.h>
#include <QApplication>

// Tests that need a real X display get one of their own; without Xvfb they run offscreen and skip.
int main(int argc, char* argv[])
{
    const testsupport::XvfbServer server;
    if (server.running())
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
