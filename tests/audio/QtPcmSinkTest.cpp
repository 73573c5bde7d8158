// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/QtPcmSink.h"

#include "tests/audio/SinkWriting.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <vector>

using audio::QtPcmSink;
using testsupport::waitUntil;

namespace {

constexpr int Rate = 22050;

void writeAll(QtPcmSink& sink, std::int64_t count)
{
    testsupport::writeSilence(sink, count, Rate);
}

} // namespace

class QtPcmSinkTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (QMediaDevices::defaultAudioOutput().isNull())
            GTEST_SKIP() << "no audio output device";
    }
};

// An odd count does not convert to whole microseconds; it must still be heard to the last sample.
TEST_F(QtPcmSinkTest, EverySampleWrittenIsHeardInTheEnd)
{
    QtPcmSink sink(QMediaDevices::defaultAudioOutput(), Rate);
    const std::int64_t count = Rate / 2 + 12345;
    writeAll(sink, count);
    EXPECT_TRUE(waitUntil([&] { return sink.playedSamples() == count; }, 5000))
        << sink.playedSamples();
}

TEST_F(QtPcmSinkTest, SuspendHoldsThePositionAndDiscardDropsTheRest)
{
    QtPcmSink sink(QMediaDevices::defaultAudioOutput(), Rate);
    writeAll(sink, Rate);
    ASSERT_TRUE(waitUntil([&] { return sink.playedSamples() > Rate / 4; }, 5000));
    sink.suspend();
    waitUntil([] { return false; }, 100);
    const std::int64_t atSuspend = sink.playedSamples();
    waitUntil([] { return false; }, 400);
    EXPECT_LE(sink.playedSamples() - atSuspend, Rate / 100);
    sink.resume();
    sink.discard();
    const std::int64_t atDiscard = sink.playedSamples();
    EXPECT_LT(atDiscard, Rate);
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(sink.playedSamples(), atDiscard);
    EXPECT_GT(sink.freeSamples(), 0);
}

// Without a device to open the sink goes on silently in real time; where a sound server takes a
// null device as its default one, it plays there. Either way a sink never finishes early.
TEST(QtPcmSinkWithoutDevice, PlaysInRealTime)
{
    QtPcmSink sink(QAudioDevice(), Rate);
    const auto count =
        static_cast<std::size_t>(std::min<std::int64_t>(sink.freeSamples(), Rate / 5));
    ASSERT_GT(count, 0u);
    const std::vector<std::int16_t> silence(count, 0);
    QElapsedTimer playing;
    playing.start();
    sink.write(silence);
    EXPECT_TRUE(
        waitUntil([&] { return sink.playedSamples() == static_cast<std::int64_t>(count); }, 3000));
    EXPECT_GE(playing.elapsed(), static_cast<qint64>(count * 1000 / Rate * 9 / 10));
}
