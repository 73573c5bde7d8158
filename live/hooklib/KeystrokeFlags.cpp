// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/hooklib/KeystrokeFlags.h"

#include <algorithm>
#include <iterator>

namespace live {

namespace {

// X11 keycodes are Linux evdev codes plus 8.
constexpr unsigned evdevOffset = 8;
constexpr std::uint32_t extendedBit = 1u << 24;
constexpr std::uint32_t previousStateBit = 1u << 30;
constexpr std::uint32_t transitionBit = 1u << 31;

// Evdev codes equal set-1 scan codes in the main block; these keys sit elsewhere, most of them
// behind the extended prefix. Num Lock and Pause share 0x45, told apart by that prefix.
struct MovedKey {
    unsigned evdev;
    std::uint32_t scanCode;
    bool extended;
};
constexpr MovedKey movedKeys[] = {
    {69, 0x45, true},   // Num Lock
    {96, 0x1C, true},   // keypad Enter
    {97, 0x1D, true},   // right Ctrl
    {98, 0x35, true},   // keypad divide
    {99, 0x37, true},   // Print Screen
    {100, 0x38, true},  // right Alt
    {102, 0x47, true},  // Home
    {103, 0x48, true},  // up
    {104, 0x49, true},  // Page Up
    {105, 0x4B, true},  // left
    {106, 0x4D, true},  // right
    {107, 0x4F, true},  // End
    {108, 0x50, true},  // down
    {109, 0x51, true},  // Page Down
    {110, 0x52, true},  // Insert
    {111, 0x53, true},  // Delete
    {119, 0x45, false}, // Pause
    {125, 0x5B, true},  // left Windows
    {126, 0x5C, true},  // right Windows
    {127, 0x5D, true},  // Menu
};

std::uint32_t scanCodeBits(unsigned keycode)
{
    const unsigned evdev = keycode >= evdevOffset ? keycode - evdevOffset : 0;
    const auto moved = std::find_if(std::begin(movedKeys), std::end(movedKeys),
                                    [evdev](const MovedKey& key) { return key.evdev == evdev; });
    if (moved != std::end(movedKeys))
        return moved->scanCode << 16 | (moved->extended ? extendedBit : 0);
    return (evdev & 0xFFu) << 16;
}

} // namespace

std::uint32_t keystrokeFlags(unsigned keycode, bool release, bool repeat)
{
    std::uint32_t flags = 1 | scanCodeBits(keycode);
    if (release || repeat)
        flags |= previousStateBit;
    if (release)
        flags |= transitionBit;
    return flags;
}

} // namespace live
