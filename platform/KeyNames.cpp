// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/KeyNames.h"

#include <algorithm>

namespace platform {

namespace {

constexpr std::uint32_t ExtendedBit = 1u << 24;
constexpr std::uint32_t DoNotCareBit = 1u << 25;
constexpr unsigned LeftShift = 0x2A;
constexpr unsigned RightShift = 0x36;
constexpr unsigned Ctrl = 0x1D;
constexpr unsigned Alt = 0x38;

struct Key {
    unsigned scanCode;
    bool extended;
};

// Keys that type a character are named by it; each row runs over consecutive scan codes.
struct CharacterRow {
    unsigned firstScanCode;
    std::string_view characters;
};

constexpr CharacterRow characterRows[] = {
    {0x02, "1234567890-="}, {0x10, "QWERTYUIOP[]"}, {0x1E, "ASDFGHJKL;'`"},
    {0x2B, "\\ZXCVBNM,./"}, {0x56, "\\"},
};

struct NamedKey {
    Key key;
    std::string_view name;
};

// Windows swaps Num Lock and Pause: Num Lock comes as the extended 0x45, Pause as the plain one.
constexpr NamedKey namedKeys[] = {
    {{0x01, false}, "Esc"},          {{0x0E, false}, "Backspace"},   {{0x0F, false}, "Tab"},
    {{0x1C, false}, "Enter"},        {{0x1D, false}, "Ctrl"},        {{0x2A, false}, "Shift"},
    {{0x36, false}, "Right Shift"},  {{0x37, false}, "Num *"},       {{0x38, false}, "Alt"},
    {{0x39, false}, "Space"},        {{0x3A, false}, "Caps Lock"},   {{0x3B, false}, "F1"},
    {{0x3C, false}, "F2"},           {{0x3D, false}, "F3"},          {{0x3E, false}, "F4"},
    {{0x3F, false}, "F5"},           {{0x40, false}, "F6"},          {{0x41, false}, "F7"},
    {{0x42, false}, "F8"},           {{0x43, false}, "F9"},          {{0x44, false}, "F10"},
    {{0x45, false}, "Pause"},        {{0x46, false}, "Scroll Lock"}, {{0x47, false}, "Num 7"},
    {{0x48, false}, "Num 8"},        {{0x49, false}, "Num 9"},       {{0x4A, false}, "Num -"},
    {{0x4B, false}, "Num 4"},        {{0x4C, false}, "Num 5"},       {{0x4D, false}, "Num 6"},
    {{0x4E, false}, "Num +"},        {{0x4F, false}, "Num 1"},       {{0x50, false}, "Num 2"},
    {{0x51, false}, "Num 3"},        {{0x52, false}, "Num 0"},       {{0x53, false}, "Num Del"},
    {{0x54, false}, "Sys Req"},      {{0x57, false}, "F11"},         {{0x58, false}, "F12"},
    {{0x1C, true}, "Num Enter"},     {{0x1D, true}, "Right Ctrl"},   {{0x35, true}, "Num /"},
    {{0x37, true}, "Prnt Scrn"},     {{0x38, true}, "Right Alt"},    {{0x45, true}, "Num Lock"},
    {{0x46, true}, "Break"},         {{0x47, true}, "Home"},         {{0x48, true}, "Up"},
    {{0x49, true}, "Page Up"},       {{0x4B, true}, "Left"},         {{0x4D, true}, "Right"},
    {{0x4F, true}, "End"},           {{0x50, true}, "Down"},         {{0x51, true}, "Page Down"},
    {{0x52, true}, "Insert"},        {{0x53, true}, "Delete"},       {{0x5B, true}, "Left Windows"},
    {{0x5C, true}, "Right Windows"}, {{0x5D, true}, "Application"},
};

Key keyOf(std::uint32_t lParam)
{
    Key key{(lParam >> 16) & 0xFF, (lParam & ExtendedBit) != 0};
    if (!(lParam & DoNotCareBit))
        return key;
    if (key.scanCode == RightShift && !key.extended)
        key.scanCode = LeftShift;
    if (key.scanCode == Ctrl || key.scanCode == Alt)
        key.extended = false;
    return key;
}

std::string_view characterOf(Key key)
{
    if (key.extended)
        return {};
    for (const CharacterRow& row : characterRows)
        if (key.scanCode >= row.firstScanCode &&
            key.scanCode - row.firstScanCode < row.characters.size())
            return row.characters.substr(key.scanCode - row.firstScanCode, 1);
    return {};
}

} // namespace

std::string_view keyName(std::uint32_t lParam)
{
    const Key key = keyOf(lParam);
    for (const NamedKey& named : namedKeys)
        if (named.key.scanCode == key.scanCode && named.key.extended == key.extended)
            return named.name;
    return characterOf(key);
}

} // namespace platform

int GetKeyNameTextA(std::uint32_t lParam, char* buffer, int size)
{
    if (size <= 0)
        return 0;
    const std::string_view name = platform::keyName(lParam);
    const std::size_t length = std::min(name.size(), static_cast<std::size_t>(size - 1));
    // copy() takes the empty name of an unknown key, whose data pointer may be null.
    name.copy(buffer, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}
