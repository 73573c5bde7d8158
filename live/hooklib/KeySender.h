// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <xcb/xcb.h>

namespace live {

// Sends keystrokes as client messages to this copy's window, the one the shared memory block
// names when the sender is made. Every copy of the program listens, and only the one whose window
// the block names now sends: each key reaches that window once, and a later copy takes over.
class KeySender {
public:
    explicit KeySender(xcb_connection_t* connection);

    void send(std::uint32_t flags) const;

private:
    xcb_connection_t* connection_;
    xcb_atom_t atom_;
    xcb_window_t ownWindow_;
};

} // namespace live
