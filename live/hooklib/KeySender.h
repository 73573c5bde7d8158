#pragma once

#include <cstdint>
#include <xcb/xcb.h>

namespace live {

// Sends keystrokes as client messages to the window named in the shared memory block.
class KeySender {
public:
    explicit KeySender(xcb_connection_t* connection);

    void send(std::uint32_t flags) const;

private:
    xcb_connection_t* connection_;
    xcb_atom_t atom_;
};

} // namespace live
