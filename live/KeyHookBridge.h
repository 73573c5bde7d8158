// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "live/FileDescriptor.h"
#include "platform/ProgramFiles.h"

#include <cstdint>
#include <memory>
#include <QString>

namespace live {

// Loads the hook library, tells it which window gets the keystrokes and starts it. Every failure
// leaves the program without key speaking and says nothing; what was obtained is let go at Stop,
// and the keys go back to the copy of the program that had them before.
class KeyHookBridge {
public:
    explicit KeyHookBridge(
        QString folder = platform::ProgramFiles::ofRunningProgram().libraryFolder());
    ~KeyHookBridge();
    KeyHookBridge(const KeyHookBridge&) = delete;
    KeyHookBridge& operator=(const KeyHookBridge&) = delete;

    void Start(std::uint32_t windowId);
    void Stop();

    // Only an X11 session lets the hook hear the keys typed on the desktop; under Wayland it
    // would hear the X11 programs alone.
    static bool keysCanBeHeard();

private:
    using HookProc = void (*)();
    struct LibraryCloser {
        void operator()(void* library) const;
    };
    struct ViewUnmapper {
        void operator()(unsigned char* view) const;
    };

    bool loadLibrary();
    bool mapMemory();
    void giveKeysBack();

    QString folder_;
    std::unique_ptr<void, LibraryCloser> KeyLibrary;
    HookProc HookOnProc = nullptr;
    HookProc HookOffProc = nullptr;
    FileDescriptor HookMapping;
    std::unique_ptr<unsigned char, ViewUnmapper> HookView;
    std::uint32_t window_ = 0;
};

} // namespace live
