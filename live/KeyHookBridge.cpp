// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/KeyHookBridge.h"

#include "live/HookChannel.h"
#include "live/KeyOwnership.h"

#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <QGuiApplication>
#include <sys/file.h>
#include <sys/mman.h>
#include <utility>

namespace live {

void KeyHookBridge::LibraryCloser::operator()(void* library) const
{
    ::dlclose(library);
}

void KeyHookBridge::ViewUnmapper::operator()(unsigned char* view) const
{
    ::munmap(view, KeyOwnership::BlockSize);
}

namespace {

// Copies of the program change the block one at a time.
class BlockLock {
public:
    explicit BlockLock(const FileDescriptor& block)
        : fd_(block.get())
    {
        ::flock(fd_, LOCK_EX);
    }
    ~BlockLock() { ::flock(fd_, LOCK_UN); }
    BlockLock(const BlockLock&) = delete;
    BlockLock& operator=(const BlockLock&) = delete;

private:
    int fd_;
};

// False also when the server does not answer.
bool windowExists(xcb_connection_t* connection, std::uint32_t window)
{
    const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> reply(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window),
                                        nullptr),
        &std::free);
    return reply != nullptr;
}

} // namespace

KeyHookBridge::KeyHookBridge(QString folder)
    : folder_(std::move(folder))
{
}

KeyHookBridge::~KeyHookBridge()
{
    Stop();
}

void KeyHookBridge::Start(std::uint32_t windowId)
{
    if (!keysCanBeHeard() || !loadLibrary() || !mapMemory())
        return;
    {
        const BlockLock lock(HookMapping);
        KeyOwnership(HookView.get()).claim(windowId);
    }
    window_ = windowId;
    HookOnProc();
}

void KeyHookBridge::Stop()
{
    if (HookOffProc)
        HookOffProc();
    giveKeysBack();
    HookOnProc = nullptr;
    HookOffProc = nullptr;
    KeyLibrary.reset();
    HookView.reset();
    HookMapping = {};
}

// The library listens on the X display and the window hears it through its xcb connection; a
// Wayland session offers neither.
bool KeyHookBridge::keysCanBeHeard()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           !qEnvironmentVariableIsEmpty("DISPLAY");
}

bool KeyHookBridge::loadLibrary()
{
    const QByteArray path = (folder_ + QStringLiteral("/libKey.so")).toLocal8Bit();
    KeyLibrary.reset(::dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL));
    if (!KeyLibrary)
        return false;
    HookOnProc = reinterpret_cast<HookProc>(::dlsym(KeyLibrary.get(), "HookOn"));
    HookOffProc = reinterpret_cast<HookProc>(::dlsym(KeyLibrary.get(), "HookOff"));
    return HookOnProc && HookOffProc;
}

bool KeyHookBridge::mapMemory()
{
    HookMapping = openHookMemory(O_RDWR | O_CREAT);
    if (!HookMapping.valid() || ::ftruncate(HookMapping.get(), KeyOwnership::BlockSize) != 0)
        return false;
    void* view = ::mmap(nullptr, KeyOwnership::BlockSize, PROT_READ | PROT_WRITE, MAP_SHARED,
                        HookMapping.get(), 0);
    if (view == MAP_FAILED)
        return false;
    HookView.reset(static_cast<unsigned char*>(view));
    return true;
}

void KeyHookBridge::giveKeysBack()
{
    if (!HookView || window_ == 0)
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const BlockLock lock(HookMapping);
    KeyOwnership(HookView.get()).release(window_, [x11](std::uint32_t window) {
        return x11 && windowExists(x11->connection(), window);
    });
    window_ = 0;
}

} // namespace live
