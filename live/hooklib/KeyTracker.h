// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace live {

// One raw key event as the X server reports it.
struct RawKey {
    unsigned keycode = 0;
    bool release = false;
    int source = 0;         // the slave device it came from
    std::uint32_t time = 0; // server milliseconds
};

// Turns raw key events into keystroke flags, telling auto-repeats by the keys held down. The same
// physical transition can be reported by two devices (a keyboard and XTEST, or two slaves of one
// master): a press of a held key from another device moments later, and a release of a key that is
// up, are such echoes and give nothing.
class KeyTracker {
public:
    std::optional<std::uint32_t> flagsFor(const RawKey& key);

private:
    struct Held {
        bool down = false;
        int source = 0;
        std::uint32_t time = 0;
    };

    static bool echoes(const Held& held, const RawKey& key);

    std::array<Held, 256> keys_{};
};

} // namespace live
