// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/hooklib/KeyTracker.h"

#include "live/hooklib/KeystrokeFlags.h"

namespace live {

namespace {

// Auto-repeat starts hundreds of milliseconds after a press, an echo within a few.
constexpr std::uint32_t echoWindowMs = 20;

} // namespace

std::optional<std::uint32_t> KeyTracker::flagsFor(const RawKey& key)
{
    Held& held = keys_[key.keycode & 0xFFu];
    if (key.release) {
        if (!held.down)
            return std::nullopt;
        held.down = false;
        return keystrokeFlags(key.keycode, true, false);
    }
    if (echoes(held, key))
        return std::nullopt;
    const bool repeat = held.down;
    held = {true, key.source, key.time};
    return keystrokeFlags(key.keycode, false, repeat);
}

bool KeyTracker::echoes(const Held& held, const RawKey& key)
{
    return held.down && held.source != key.source && key.time - held.time < echoWindowMs;
}

} // namespace live
