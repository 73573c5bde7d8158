// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace platform {

// The operating system's major version as the program tells its behaviours apart by it: 5 ran
// a voice installer and 6 chose the newer file dialogs. Linux is neither.
constexpr int osMajorVersion()
{
    return 0;
}

} // namespace platform
