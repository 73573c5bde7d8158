#include "live/hooklib/KeyListener.h"

#include "live/hooklib/KeySender.h"

#include <cerrno>
#include <cstdint>
#include <memory>
#include <poll.h>
#include <sys/eventfd.h>
#include <X11/extensions/XInput2.h>
#include <X11/Xlib-xcb.h>

namespace live {

namespace {

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};

// The XInput opcode once raw key events on the root window are selected, or -1.
int selectRawKeys(Display* display)
{
    int opcode = 0;
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success)
        return -1;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XSync(display, False);
    return opcode;
}

} // namespace

KeyListener::KeyListener()
    : wake_(::eventfd(0, EFD_CLOEXEC))
{
    std::latch ready(1);
    thread_ = std::jthread([this, &ready] { run(ready); });
    ready.wait();
}

KeyListener::~KeyListener()
{
    ::eventfd_write(wake_.get(), 1);
}

void KeyListener::run(std::latch& ready)
{
    const std::unique_ptr<Display, DisplayCloser> display(wake_.valid() ? XOpenDisplay(nullptr)
                                                                        : nullptr);
    const int opcode = display ? selectRawKeys(display.get()) : -1;
    ready.count_down();
    if (opcode >= 0)
        listen(display.get(), opcode);
}

void KeyListener::listen(Display* display, int opcode)
{
    const KeySender sender(XGetXCBConnection(display));
    pollfd watched[] = {{ConnectionNumber(display), POLLIN, 0}, {wake_.get(), POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            handle(display, opcode, sender, event);
        }
        if (::poll(watched, 2, -1) < 0 && errno != EINTR)
            return;
        if (watched[1].revents != 0 || (watched[0].revents & (POLLERR | POLLHUP)) != 0)
            return;
    }
}

void KeyListener::handle(Display* display, int opcode, const KeySender& sender, XEvent& event)
{
    XGenericEventCookie& cookie = event.xcookie;
    if (cookie.type != GenericEvent || cookie.extension != opcode ||
        !XGetEventData(display, &cookie))
        return;
    const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
    const RawKey key{static_cast<unsigned>(raw->detail), raw->evtype == XI_RawKeyRelease,
                     raw->sourceid, static_cast<std::uint32_t>(raw->time)};
    XFreeEventData(display, &cookie);
    if (const auto flags = tracker_.flagsFor(key))
        sender.send(*flags);
}

} // namespace live
