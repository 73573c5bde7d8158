// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace live {

// The keystroke flags of a Windows keyboard message for an X11 keycode: repeat count 1, the set-1
// scan code with the extended-key bit, bit 30 for a key that was already down and bit 31 for a
// release.
std::uint32_t keystrokeFlags(unsigned keycode, bool release, bool repeat);

} // namespace live
