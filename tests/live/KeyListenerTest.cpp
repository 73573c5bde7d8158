// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/hooklib/KeyListener.h"

#include "tests/live/XvfbServer.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <thread>

// The X server may go away under the listener at the end of a session: the listening ends, and
// the program goes on to close as it would.
TEST(KeyListenerDeathTest, LosingTheDisplayEndsTheListeningButNotTheProgram)
{
    EXPECT_EXIT(
        {
            std::optional<testsupport::XvfbServer> server(std::in_place);
            if (!server->running())
                std::exit(0);
            const live::KeyListener listener;
            server.reset();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}
