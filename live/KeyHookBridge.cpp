#include "live/KeyHookBridge.h"

#include "live/HookChannel.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <QGuiApplication>
#include <sys/mman.h>
#include <utility>

namespace live {

void KeyHookBridge::LibraryCloser::operator()(void* library) const
{
    ::dlclose(library);
}

void KeyHookBridge::ViewUnmapper::operator()(unsigned char* view) const
{
    ::munmap(view, HookBlock{}.size());
}

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
    storeWindow(HookView.get(), windowId);
    HookOnProc();
}

void KeyHookBridge::Stop()
{
    if (HookOffProc)
        HookOffProc();
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
    if (!HookMapping.valid() || ::ftruncate(HookMapping.get(), HookBlock{}.size()) != 0)
        return false;
    void* view = ::mmap(nullptr, HookBlock{}.size(), PROT_READ | PROT_WRITE, MAP_SHARED,
                        HookMapping.get(), 0);
    if (view == MAP_FAILED)
        return false;
    HookView.reset(static_cast<unsigned char*>(view));
    return true;
}

} // namespace live
