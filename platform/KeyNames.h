// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string_view>

namespace platform {

// The name Windows gives the key of a keyboard message's flags (scan code, extended bit, and bit
// 25 to take left and right Shift, Ctrl and Alt alike) on the US layout; empty for a key it does
// not name.
std::string_view keyName(std::uint32_t lParam);

} // namespace platform

// Copies at most size - 1 characters of the key's name and a terminating NUL; returns how many
// characters it copied.
int GetKeyNameTextA(std::uint32_t lParam, char* buffer, int size);
