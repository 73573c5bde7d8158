// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "editor/EditorDialogs.h"
#include "speech/SpeechEngine.h"

#include <functional>

// What the main window takes from the platform. main() builds it with the real components;
// tests build it with fakes.
struct PlatformServices {
    speech::SpeechEngine& speechEngine;
    MessageBoxes& messageBoxes;
    std::function<bool()> notificationAreaAvailable;
    FileDialogs& fileDialogs;
    editor::EditorDialogs& editorDialogs;
    int osMajorVersion;
    // Shows a folder in the desktop's file manager.
    std::function<void(const QString&)> openFolder;
};
