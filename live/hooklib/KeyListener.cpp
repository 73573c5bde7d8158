// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/hooklib/KeyListener.h"

#include "live/hooklib/KeySender.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <sys/eventfd.h>
#include <xcb/xinput.h>

namespace live {

namespace {

struct ConnectionCloser {
    void operator()(xcb_connection_t* connection) const { xcb_disconnect(connection); }
};

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

xcb_window_t rootOf(xcb_connection_t* connection, int screen)
{
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; roots.rem > 0 && screen > 0; --screen)
        xcb_screen_next(&roots);
    return roots.rem > 0 ? roots.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

// The XInput opcode once raw key events on the root window are selected, or -1.
int selectRawKeys(xcb_connection_t* connection, int screen)
{
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection, &xcb_input_id);
    const std::unique_ptr<xcb_input_xi_query_version_reply_t, FreeReply> version(
        extension && extension->present
            ? xcb_input_xi_query_version_reply(
                  connection, xcb_input_xi_query_version(connection, 2, 0), nullptr)
            : nullptr);
    const xcb_window_t root = rootOf(connection, screen);
    if (!version || version->major_version < 2 || root == XCB_WINDOW_NONE)
        return -1;
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
           XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE};
    const std::unique_ptr<xcb_generic_error_t, FreeReply> error(xcb_request_check(
        connection, xcb_input_xi_select_events_checked(connection, root, 1, &mask.head)));
    return error ? -1 : extension->major_opcode;
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
    int screen = 0;
    const std::unique_ptr<xcb_connection_t, ConnectionCloser> connection(
        wake_.valid() ? xcb_connect(nullptr, &screen) : nullptr);
    const int opcode = connection && !xcb_connection_has_error(connection.get())
                           ? selectRawKeys(connection.get(), screen)
                           : -1;
    if (opcode < 0) {
        ready.count_down();
        return;
    }
    // Made before HookOn returns, while the block still names this copy's own window.
    const KeySender sender(connection.get());
    ready.count_down();
    listen(connection.get(), opcode, sender);
}

void KeyListener::listen(xcb_connection_t* connection, int opcode, const KeySender& sender)
{
    pollfd watched[] = {{xcb_get_file_descriptor(connection), POLLIN, 0}, {wake_.get(), POLLIN, 0}};
    for (;;) {
        while (const std::unique_ptr<xcb_generic_event_t, FreeReply> event{
            xcb_poll_for_event(connection)})
            handle(opcode, sender, *event);
        if (xcb_connection_has_error(connection))
            return;
        if (::poll(watched, 2, -1) < 0 && errno != EINTR)
            return;
        if (watched[1].revents != 0)
            return;
    }
}

void KeyListener::handle(int opcode, const KeySender& sender, const xcb_generic_event_t& event)
{
    const auto& generic = reinterpret_cast<const xcb_ge_generic_event_t&>(event);
    if ((event.response_type & 0x7F) != XCB_GE_GENERIC || generic.extension != opcode ||
        (generic.event_type != XCB_INPUT_RAW_KEY_PRESS &&
         generic.event_type != XCB_INPUT_RAW_KEY_RELEASE))
        return;
    const auto& raw = reinterpret_cast<const xcb_input_raw_key_press_event_t&>(event);
    const RawKey key{raw.detail, raw.event_type == XCB_INPUT_RAW_KEY_RELEASE,
                     static_cast<int>(raw.sourceid), static_cast<std::uint32_t>(raw.time)};
    if (const auto flags = tracker_.flagsFor(key))
        sender.send(*flags);
}

} // namespace live
