// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/HookChannel.h"
#include "live/KeyHookBridge.h"
#include "platform/ProgramFiles.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <QFile>
#include <sys/mman.h>

namespace {

// As on Wayland: no X11 connection to hear the keys through, so the hook is not even loaded.
TEST(KeyHookOffscreenTest, LeavesTheHookAloneWithoutX11)
{
    ::shm_unlink(live::hookMemoryName().c_str());
    live::KeyHookBridge bridge;
    bridge.Start(42);
    const QString path = platform::ProgramFiles::ofRunningProgram().libraryFolder() + "/libKey.so";
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(::dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_NOLOAD), nullptr);
    EXPECT_FALSE(live::openHookMemory(O_RDONLY).valid());
}

} // namespace
