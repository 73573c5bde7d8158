// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/KeyHookFilter.h"

#include "live/HookChannel.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <utility>

namespace live {

KeyHookFilter::KeyHookFilter(Handler handler)
    : handler_(std::move(handler))
{
    // The offscreen platform may offer the X11 interface without a connection behind it.
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 && x11->connection())
        atom_ = internHookAtom(x11->connection());
    QCoreApplication::instance()->installNativeEventFilter(this);
}

bool KeyHookFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (atom_ == XCB_ATOM_NONE || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    // The high bit marks events sent by another client, as the hook library's are.
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->type != atom_ || client->format != 32 || client->data.data32[0] != hookMessage)
        return false;
    handler_(client->data.data32[1]);
    return true;
}

} // namespace live
