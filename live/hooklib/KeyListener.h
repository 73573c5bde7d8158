// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "live/FileDescriptor.h"
#include "live/hooklib/KeyTracker.h"

#include <latch>
#include <thread>
#include <xcb/xcb.h>

namespace live {

class KeySender;

// Listens to every key on the X display on a thread of its own, with a connection of its own.
// Construction returns once the keys are listened to, or once that has proved impossible. The
// connection is XCB's, which reports a display that goes away where Xlib would end the process.
class KeyListener {
public:
    KeyListener();
    ~KeyListener();
    KeyListener(const KeyListener&) = delete;
    KeyListener& operator=(const KeyListener&) = delete;

private:
    void run(std::latch& ready);
    void listen(xcb_connection_t* connection, int opcode, const KeySender& sender);
    void handle(int opcode, const KeySender& sender, const xcb_generic_event_t& event);

    FileDescriptor wake_;
    KeyTracker tracker_;
    std::jthread thread_;
};

} // namespace live
