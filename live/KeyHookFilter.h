// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <functional>
#include <QAbstractNativeEventFilter>
#include <xcb/xcb.h>

namespace live {

// Hands the keystrokes that the hook library sends to the window to a handler. Installs itself on
// the application; without an X11 connection it hears nothing.
class KeyHookFilter final : public QAbstractNativeEventFilter {
public:
    using Handler = std::function<void(std::uint32_t flags)>;

    explicit KeyHookFilter(Handler handler);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    Handler handler_;
    xcb_atom_t atom_ = XCB_ATOM_NONE;
};

} // namespace live
