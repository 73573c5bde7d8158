// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/hooklib/KeystrokeFlags.h"

#include "live/hooklib/KeyTracker.h"
#include "platform/KeyNames.h"

#include <gtest/gtest.h>
#include <ostream>

namespace {

struct FlagsCase {
    const char* key;
    unsigned keycode;
    bool release;
    bool repeat;
    std::uint32_t flags;
};

void PrintTo(const FlagsCase& key, std::ostream* out)
{
    *out << key.key;
}

class KeystrokeFlagsTest : public testing::TestWithParam<FlagsCase> {};

TEST_P(KeystrokeFlagsTest, CarriesScanCodeAndState)
{
    const FlagsCase& key = GetParam();
    EXPECT_EQ(live::keystrokeFlags(key.keycode, key.release, key.repeat), key.flags);
}

INSTANTIATE_TEST_SUITE_P(Keys, KeystrokeFlagsTest,
                         testing::Values(FlagsCase{"A pressed", 38, false, false, 0x001E0001},
                                         FlagsCase{"A released", 38, true, false, 0xC01E0001},
                                         FlagsCase{"A repeated", 38, false, true, 0x401E0001},
                                         FlagsCase{"right Ctrl", 105, false, false, 0x011D0001},
                                         FlagsCase{"left arrow", 113, false, false, 0x014B0001},
                                         FlagsCase{"keypad Enter", 104, true, false, 0xC11C0001},
                                         FlagsCase{"keypad divide", 106, false, false, 0x01350001},
                                         FlagsCase{"left Ctrl", 37, false, false, 0x001D0001},
                                         FlagsCase{"below evdev", 3, false, false, 0x00000001}));

TEST(KeyTrackerTest, TellsRepeatsAndDropsEchoesFromOtherDevices)
{
    live::KeyTracker tracker;
    EXPECT_EQ(tracker.flagsFor({38, false, 5, 1000}), 0x001E0001u);
    EXPECT_EQ(tracker.flagsFor({38, false, 7, 1003}), std::nullopt);
    EXPECT_EQ(tracker.flagsFor({38, false, 5, 1500}), 0x401E0001u);
    EXPECT_EQ(tracker.flagsFor({38, false, 7, 1600}), 0x401E0001u);
    EXPECT_EQ(tracker.flagsFor({38, true, 5, 1700}), 0xC01E0001u);
    EXPECT_EQ(tracker.flagsFor({38, true, 7, 1701}), std::nullopt);
    EXPECT_EQ(tracker.flagsFor({38, false, 7, 1705}), 0x001E0001u);
}

TEST(KeyTrackerTest, ReadsKeysAcrossTheClockWrap)
{
    live::KeyTracker tracker;
    EXPECT_EQ(tracker.flagsFor({38, false, 5, 0xFFFFFFFE}), 0x001E0001u);
    EXPECT_EQ(tracker.flagsFor({38, false, 7, 2}), std::nullopt);
}

} // namespace

// The window names what the hook sends as Windows names the same keys.
TEST(KeystrokeFlagsTest, KeysOutsideTheMainBlockGetTheirWindowsNames)
{
    const std::pair<unsigned, std::string_view> keys[] = {
        {38, "A"},           {77, "Num Lock"},   {127, "Pause"},        {107, "Prnt Scrn"},
        {79, "Num 7"},       {104, "Num Enter"}, {106, "Num /"},        {62, "Right Shift"},
        {105, "Right Ctrl"}, {113, "Left"},      {133, "Left Windows"}, {119, "Delete"},
    };
    for (const auto& [keycode, name] : keys)
        EXPECT_EQ(platform::keyName(live::keystrokeFlags(keycode, true, false)), name) << keycode;
}
