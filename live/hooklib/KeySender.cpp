// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/hooklib/KeySender.h"

#include "live/HookChannel.h"

#include <cstdlib>
#include <fcntl.h>
#include <optional>

namespace live {

namespace {

// Read at every key: once a later copy of the program wrote its window there, this one is quiet.
std::optional<std::uint32_t> windowInBlock()
{
    const FileDescriptor fd = openHookMemory(O_RDONLY);
    HookBlock block{};
    if (!fd.valid() || ::pread(fd.get(), block.data(), block.size(), 0) != std::ssize(block))
        return std::nullopt;
    return loadWindow(block);
}

} // namespace

KeySender::KeySender(xcb_connection_t* connection)
    : connection_(connection)
    , atom_(internHookAtom(connection))
    , ownWindow_(windowInBlock().value_or(XCB_WINDOW_NONE))
{
}

void KeySender::send(std::uint32_t flags) const
{
    if (ownWindow_ == XCB_WINDOW_NONE || windowInBlock() != ownWindow_)
        return;
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = ownWindow_;
    event.type = atom_;
    event.data.data32[0] = hookMessage;
    event.data.data32[1] = flags;
    // Checked, so a window that has gone away costs an error reply instead of Xlib's default
    // handler ending the whole program.
    std::free(xcb_request_check(
        connection_, xcb_send_event_checked(connection_, 0, ownWindow_, XCB_EVENT_MASK_NO_EVENT,
                                            reinterpret_cast<const char*>(&event))));
}

} // namespace live
