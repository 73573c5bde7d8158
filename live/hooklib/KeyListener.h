#pragma once

#include "live/FileDescriptor.h"
#include "live/hooklib/KeyTracker.h"

#include <latch>
#include <thread>
#include <X11/Xlib.h>

namespace live {

class KeySender;

// Listens to every key on the X display on a thread of its own, with a connection of its own.
// Construction returns once the keys are listened to, or once that has proved impossible.
class KeyListener {
public:
    KeyListener();
    ~KeyListener();
    KeyListener(const KeyListener&) = delete;
    KeyListener& operator=(const KeyListener&) = delete;

private:
    void run(std::latch& ready);
    void listen(Display* display, int opcode);
    void handle(Display* display, int opcode, const KeySender& sender, XEvent& event);

    FileDescriptor wake_;
    KeyTracker tracker_;
    std::jthread thread_;
};

} // namespace live
