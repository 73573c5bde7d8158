#include "live/hooklib/KeystrokeFlags.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace live {

namespace {

// X11 keycodes are Linux evdev codes plus 8.
constexpr unsigned evdevOffset = 8;
constexpr std::uint32_t extendedBit = 1u << 24;
constexpr std::uint32_t previousStateBit = 1u << 30;
constexpr std::uint32_t transitionBit = 1u << 31;

// Evdev codes equal set-1 scan codes in the main block; these keys sit elsewhere and carry the
// extended prefix.
constexpr std::pair<unsigned, unsigned> extendedKeys[] = {
    {96, 0x1C},  // keypad Enter
    {97, 0x1D},  // right Ctrl
    {98, 0x35},  // keypad divide
    {100, 0x38}, // right Alt
    {102, 0x47}, // Home
    {103, 0x48}, // up
    {104, 0x49}, // Page Up
    {105, 0x4B}, // left
    {106, 0x4D}, // right
    {107, 0x4F}, // End
    {108, 0x50}, // down
    {109, 0x51}, // Page Down
    {110, 0x52}, // Insert
    {111, 0x53}, // Delete
    {125, 0x5B}, // left Windows
    {126, 0x5C}, // right Windows
    {127, 0x5D}, // Menu
};

std::uint32_t scanCodeBits(unsigned keycode)
{
    const unsigned evdev = keycode >= evdevOffset ? keycode - evdevOffset : 0;
    const auto extended = std::find_if(std::begin(extendedKeys), std::end(extendedKeys),
                                       [evdev](const auto& key) { return key.first == evdev; });
    if (extended != std::end(extendedKeys))
        return extended->second << 16 | extendedBit;
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
