// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/DisplayCheck.h"

#include <xcb/xcb.h>

namespace platform {

QString displayProblem()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return {};
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        return QStringLiteral("no display found (DISPLAY is not set)");
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection) != 0;
    xcb_disconnect(connection);
    if (failed)
        return QStringLiteral("cannot open the display %1").arg(display);
    return {};
}

} // namespace platform
