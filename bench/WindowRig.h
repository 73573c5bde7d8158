// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/LectorixApplication.h"
#include "app/MessageBoxes.h"
#include "app/TFmain.h"
#include "engine/HelperEngine.h"
#include "platform/OpenFolder.h"

// The program's window over the real engine, made as the program makes it, with the sound
// output the bench chooses.
struct WindowRig {
    WindowRig(int& argc, char** argv, audio::PcmSinkFactory output)
        : application(argc, argv, messageBoxes)
        , speechEngine(engine::HelperEngine::defaultHelperPath(), std::move(output))
    {
    }

    QtMessageBoxes messageBoxes;
    LectorixApplication application;
    engine::HelperEngine speechEngine;
    QtFileDialogs fileDialogs;
    editor::QtEditorDialogs editorDialogs;
    PlatformServices services{speechEngine,         messageBoxes,  [] { return false; },
                              fileDialogs,          editorDialogs, 0,
                              &platform::openFolder};
    TFmain window{services};
};
