// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/PlatformServices.h"
#include "tests/app/AppTestMain.h"
#include "tests/support/FakeSpeechEngine.h"

namespace testsupport {

// What the window is given, all of it fakes: the engine, the message boxes and the file dialogs
// record what they are asked, the notification area is there when the test says so, and the
// folders the window shows are noted.
struct FakeServices {
    explicit FakeServices(bool inNotificationArea = false)
        : notificationArea(inNotificationArea)
    {
    }
    explicit FakeServices(QStringList voices)
        : engine(std::move(voices))
    {
    }
    FakeServices(const FakeServices&) = delete;
    FakeServices& operator=(const FakeServices&) = delete;

    FakeSpeechEngine engine;
    RecordingMessageBoxes messageBoxes;
    ScriptedFileDialogs fileDialogs;
    ScriptedEditorDialogs editorDialogs;
    bool notificationArea = false;
    QStringList foldersShown;
    PlatformServices services{engine,
                              messageBoxes,
                              [this] { return notificationArea; },
                              fileDialogs,
                              editorDialogs,
                              0,
                              [this](const QString& folder) { foldersShown << folder; }};
};

} // namespace testsupport
