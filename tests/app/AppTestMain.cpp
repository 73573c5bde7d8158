// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/app/AppTestMain.h"

#include "app/LectorixApplication.h"

#include <gmock/gmock.h>

namespace testsupport {

RecordingMessageBoxes& applicationMessageBoxes()
{
    static RecordingMessageBoxes messageBoxes;
    return messageBoxes;
}

} // namespace testsupport

// Window tests run under the program's own application object, which shows escaping errors.
int main(int argc, char* argv[])
{
    LectorixApplication application(argc, argv, testsupport::applicationMessageBoxes());
    testing::InitGoogleMock(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}
