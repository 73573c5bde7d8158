// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/KeyNames.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

// The extended and do-not-care bits as they stand above the scan code.
constexpr std::uint32_t E = 0x100;
constexpr std::uint32_t DoNotCare = 0x200;

std::string namesOf(std::initializer_list<std::uint32_t> keys)
{
    std::string names;
    for (std::uint32_t key : keys) {
        char buffer[100];
        const int length = GetKeyNameTextA(key << 16, buffer, sizeof buffer);
        EXPECT_EQ(length, static_cast<int>(std::strlen(buffer)));
        names += "|" + std::string(buffer);
    }
    return names.substr(1);
}

} // namespace

TEST(KeyNames, NamesKeysAsWindowsDoesOnTheUsLayout)
{
    EXPECT_EQ(
        namesOf({0x01, 0x02, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x1A, 0x1B, 0x1C, 0x1E, 0x27,
                 0x28, 0x29, 0x2B, 0x2C, 0x33, 0x34, 0x35, 0x39, 0x3A, 0x3B, 0x44, 0x58}),
        "Esc|1|0|-|=|Backspace|Tab|Q|[|]|Enter|A|;|'|`|\\|Z|,|.|/|Space|Caps Lock|F1|F10|F12");
    EXPECT_EQ(
        namesOf({0x47, 0x52, 0x53, 0x4E, 0x4A, 0x37, 0x45 | E, 0x46, 0x54, 0x1C | E, 0x35 | E}),
        "Num 7|Num 0|Num Del|Num +|Num -|Num *|Num Lock|Scroll Lock|Sys Req|Num Enter|Num /");
    EXPECT_EQ(namesOf({0x2A, 0x36, 0x1D, 0x1D | E, 0x38, 0x38 | E, 0x5B | E, 0x5C | E, 0x5D | E}),
              "Shift|Right Shift|Ctrl|Right Ctrl|Alt|Right Alt|Left Windows|Right Windows|"
              "Application");
    EXPECT_EQ(namesOf({0x52 | E, 0x53 | E, 0x47 | E, 0x4F | E, 0x49 | E, 0x51 | E, 0x48 | E,
                       0x50 | E, 0x4B | E, 0x4D | E, 0x45, 0x46 | E}),
              "Insert|Delete|Home|End|Page Up|Page Down|Up|Down|Left|Right|Pause|Break");
}

TEST(KeyNames, TheDoNotCareBitNamesLeftAndRightAlike)
{
    EXPECT_EQ(namesOf({0x36 | DoNotCare, 0x1D | E | DoNotCare, 0x38 | E | DoNotCare,
                       0x5C | E | DoNotCare}),
              "Shift|Ctrl|Alt|Right Windows");
}

TEST(KeyNames, OnlyTheScanCodeAndItsFlagsCount)
{
    char buffer[100];
    EXPECT_EQ(GetKeyNameTextA(0xE01E0001, buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "A");
    EXPECT_EQ(namesOf({0x1E | E, 0x00, 0xFF}), "||");
}

TEST(KeyNames, CopiesNoMoreThanTheBufferHolds)
{
    char buffer[4] = "xyz";
    EXPECT_EQ(GetKeyNameTextA(0x0E << 16, buffer, 4), 3);
    EXPECT_STREQ(buffer, "Bac");
    EXPECT_EQ(GetKeyNameTextA(0x0E << 16, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
}
