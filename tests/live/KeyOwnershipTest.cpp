// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/KeyOwnership.h"

#include "live/HookChannel.h"

#include <array>
#include <gtest/gtest.h>
#include <set>

namespace {

constexpr std::uint32_t A = 0x0A00001, B = 0x0B00001, C = 0x0C00001;

// The block the copies share, and the windows still on the display.
struct Copies {
    std::uint32_t owner() const
    {
        live::HookBlock first{};
        std::copy_n(block.begin(), first.size(), first.begin());
        return live::loadWindow(first);
    }
    void start(std::uint32_t window)
    {
        open.insert(window);
        live::KeyOwnership(block.data()).claim(window);
    }
    void close(std::uint32_t window)
    {
        open.erase(window);
        live::KeyOwnership(block.data()).release(window, [this](std::uint32_t waiting) {
            return open.contains(waiting);
        });
    }
    void crash(std::uint32_t window) { open.erase(window); }

    std::array<unsigned char, live::KeyOwnership::BlockSize> block{};
    std::set<std::uint32_t> open;
};

} // namespace

TEST(KeyOwnership, TheKeysGoBackToTheLatestEarlierCopyStillThere)
{
    Copies copies;
    copies.start(A);
    copies.start(B);
    EXPECT_EQ(copies.owner(), B);
    copies.close(B);
    EXPECT_EQ(copies.owner(), A) << "a second copy started and closed";

    copies.start(B);
    copies.start(C);
    copies.close(B);
    EXPECT_EQ(copies.owner(), C) << "a copy that waits closes";
    copies.close(C);
    EXPECT_EQ(copies.owner(), A);

    copies.start(B);
    copies.start(C);
    copies.crash(B);
    copies.close(C);
    EXPECT_EQ(copies.owner(), A) << "past a copy that crashed";
    copies.close(A);
    EXPECT_EQ(copies.owner(), 0u);
}

TEST(KeyOwnership, AStartAgainTakesTheKeysOnceAndAFullBlockDropsTheEarliest)
{
    Copies copies;
    copies.start(A);
    copies.start(B);
    copies.start(A);
    copies.close(A);
    EXPECT_EQ(copies.owner(), B) << "A waited only once";
    copies.close(B);
    EXPECT_EQ(copies.owner(), 0u);

    for (std::uint32_t window = 1; window <= 20; ++window)
        copies.start(window);
    for (std::uint32_t window = 20; window > 1; --window)
        copies.close(window);
    EXPECT_EQ(copies.owner(), 0u) << "the earliest copies waited no more";
    EXPECT_EQ(copies.open, std::set<std::uint32_t>{1});
}
