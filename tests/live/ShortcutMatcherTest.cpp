// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/ShortcutMatcher.h"

#include <gmock/gmock.h>

namespace {

using live::ShortcutMatcher;
using Outcome = ShortcutMatcher::Outcome;

constexpr std::uint32_t Extended = 1u << 24;
constexpr std::uint32_t Ctrl = 0x1D, Alt = 0x38, Shift = 0x2A, Space = 0x39, R = 0x13;

// The flags the hook sends, as Windows writes a key message's lParam.
std::uint32_t press(std::uint32_t scanCode, std::uint32_t extended = 0)
{
    return 1u | scanCode << 16 | extended;
}
std::uint32_t repeat(std::uint32_t scanCode)
{
    return press(scanCode) | 1u << 30;
}
std::uint32_t release(std::uint32_t scanCode, std::uint32_t extended = 0)
{
    return press(scanCode, extended) | 3u << 30;
}

ShortcutMatcher ctrlAltSpace()
{
    ShortcutMatcher matcher;
    matcher.setCombination(QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_Space));
    return matcher;
}

} // namespace

TEST(ShortcutMatcher, TheCombinationFiresOncePerPressAndItsKeysAreItsOwn)
{
    ShortcutMatcher matcher = ctrlAltSpace();
    EXPECT_EQ(matcher.keyMessage(press(Ctrl)), Outcome::Other);
    EXPECT_EQ(matcher.keyMessage(press(Alt)), Outcome::Other);
    EXPECT_EQ(matcher.keyMessage(press(Space)), Outcome::Pressed);
    EXPECT_EQ(matcher.keyMessage(repeat(Space)), Outcome::Swallowed);
    EXPECT_EQ(matcher.keyMessage(release(Space)), Outcome::Swallowed);
    EXPECT_EQ(matcher.keyMessage(release(Alt)), Outcome::Swallowed);
    EXPECT_EQ(matcher.keyMessage(release(Ctrl)), Outcome::Swallowed);
    // Later keys are everybody's again.
    EXPECT_EQ(matcher.keyMessage(press(Space)), Outcome::Other);
    EXPECT_EQ(matcher.keyMessage(release(Space)), Outcome::Other);
    // Either Ctrl and either Alt will do.
    matcher.keyMessage(press(Ctrl, Extended));
    matcher.keyMessage(press(Alt, Extended));
    EXPECT_EQ(matcher.keyMessage(press(Space)), Outcome::Pressed);
}

TEST(ShortcutMatcher, OtherModifiersOrNoCombinationFireNothing)
{
    ShortcutMatcher matcher = ctrlAltSpace();
    matcher.keyMessage(press(Ctrl));
    EXPECT_EQ(matcher.keyMessage(press(Space)), Outcome::Other);
    matcher.keyMessage(press(Alt));
    matcher.keyMessage(press(Shift));
    EXPECT_EQ(matcher.keyMessage(press(Space)), Outcome::Other);
    matcher.keyMessage(release(Shift));
    EXPECT_EQ(matcher.keyMessage(press(R)), Outcome::Other);

    matcher.setCombination(QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_R));
    EXPECT_EQ(matcher.keyMessage(press(R)), Outcome::Pressed);
    matcher.setCombination(QKeyCombination());
    EXPECT_EQ(matcher.keyMessage(press(R)), Outcome::Other);
}

TEST(ShortcutMatcher, KeysAreNamedAsQtNamesThem)
{
    EXPECT_EQ(live::qtKeyOf(press(Space)), Qt::Key_Space);
    EXPECT_EQ(live::qtKeyOf(press(R)), Qt::Key_R);
    EXPECT_EQ(live::qtKeyOf(press(0x3B)), Qt::Key_F1);
    EXPECT_EQ(live::qtKeyOf(press(0x49, Extended)), Qt::Key_PageUp);
    EXPECT_EQ(live::qtKeyOf(press(0x1C)), Qt::Key_Return);
    EXPECT_EQ(live::qtKeyOf(press(0x47)), Qt::Key_7);
    EXPECT_EQ(live::qtKeyOf(press(0x7F)), Qt::Key_unknown);
}
