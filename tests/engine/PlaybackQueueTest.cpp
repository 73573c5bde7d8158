// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/PlaybackQueue.h"

#include <gtest/gtest.h>
#include <vector>

using engine::PlaybackQueue;

namespace {

// A sink whose clock the test moves by hand.
struct ManualSink final : audio::PcmSink {
    std::int64_t freeSamples() override { return 1 << 20; }
    void write(std::span<const std::int16_t> samples) override
    {
        written.insert(written.end(), samples.begin(), samples.end());
    }
    std::int64_t playedSamples() override { return played; }
    void suspend() override {}
    void resume() override {}
    void discard() override { written.resize(static_cast<std::size_t>(played)); }

    std::vector<std::int16_t> written;
    std::int64_t played = 0;
};

std::vector<std::int16_t> filled(std::int16_t value, std::size_t count)
{
    return std::vector<std::int16_t>(count, value);
}

} // namespace

class PlaybackQueueTest : public testing::Test {
protected:
    PlaybackQueue queue{[this](int) {
        auto made = std::make_unique<ManualSink>();
        sink = made.get();
        return made;
    }};
    ManualSink* sink = nullptr;
};

// The first sentence has been heard in full, the second half-way, though no pump has run since.
TEST_F(PlaybackQueueTest, SkippingASentenceCountsFromWhatIsHeardNow)
{
    queue.append(1, filled(1, 1000), 20000);
    queue.endSentence(1);
    queue.append(1, filled(2, 1000), 20000);
    queue.endSentence(1);
    queue.append(1, filled(3, 1000), 20000);
    queue.pump(100);
    ASSERT_EQ(sink->written.size(), 3000u);
    sink->played = 1500;
    EXPECT_EQ(queue.skipSentences(1, 1), 1);
    queue.pump(100);
    ASSERT_EQ(sink->written.size(), 2500u);
    EXPECT_EQ(sink->written[1499], 2);
    EXPECT_EQ(sink->written[1500], 3);
}

TEST_F(PlaybackQueueTest, SkippingKeepsTheNextStreamWhole)
{
    queue.append(1, filled(1, 1000), 20000);
    queue.endSentence(1);
    queue.append(2, filled(2, 1000), 20000);
    queue.pump(100);
    sink->played = 500;
    EXPECT_EQ(queue.currentStream(), 1);
    EXPECT_EQ(queue.skipSentences(1, 5), 1);
    queue.pump(100);
    EXPECT_EQ(queue.currentStream(), 2);
    EXPECT_EQ(std::count(sink->written.begin(), sink->written.end(), 2), 1000);
    sink->played = static_cast<std::int64_t>(sink->written.size());
    EXPECT_TRUE(queue.finished());
}

TEST_F(PlaybackQueueTest, VolumeAndLevelsFollowWhatIsWritten)
{
    queue.append(7, filled(20000, 2000), 20000);
    EXPECT_FALSE(queue.pump(50).has_value());
    EXPECT_EQ(sink->written.front(), 10000);
    sink->played = 1000;
    const auto level = queue.pump(50);
    ASSERT_TRUE(level.has_value());
    EXPECT_EQ(level->streamNumber, 7);
    EXPECT_EQ(level->streamPosition, 2000);
    EXPECT_GE(level->level, 9);
}

// A word counts as heard once its first sample has been played, not when it was written: the
// sink may hold seconds of sound ahead of the ear. A skip drops the words it passes over.
TEST_F(PlaybackQueueTest, AWordIsHeardWithItsFirstSampleAndSkippedWordsNeverAre)
{
    using engine::HeardWord;
    queue.startWord(1, 0);
    queue.append(1, filled(1, 1000), 20000);
    queue.startWord(1, 4);
    queue.append(1, filled(2, 500), 20000);
    queue.startWord(1, 6);
    queue.append(1, filled(2, 500), 20000);
    queue.endSentence(1);
    queue.startWord(1, 9);
    queue.append(1, filled(3, 1000), 20000);
    queue.pump(100);
    EXPECT_EQ(queue.newestHeardWord(), std::nullopt) << "written, not yet heard";
    sink->played = 1;
    EXPECT_EQ(queue.newestHeardWord(), (HeardWord{1, 0}));
    sink->played = 1000;
    EXPECT_EQ(queue.newestHeardWord(), std::nullopt) << "the second word has not begun";
    sink->played = 1200;
    EXPECT_EQ(queue.newestHeardWord(), (HeardWord{1, 4}));
    EXPECT_EQ(queue.skipSentences(1, 1), 1);
    queue.pump(100);
    sink->played = 1201;
    EXPECT_EQ(queue.newestHeardWord(), (HeardWord{1, 9})) << "the next sentence's first word";
}
