// SPDX-License-Identifier: GPL-3.0-or-later

#include <gmock/gmock.h>
#include <QApplication>

// Tests need an application object for timers, processes and widgets.
int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    testing::InitGoogleMock(&argc, argv);
    const int result = RUN_ALL_TESTS();
    // Audio devices are let go later; let them go before the end, where leaks are counted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
