// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/EncoderThread.h"

#include <gmock/gmock.h>
#include <QDeadlineTimer>

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

// An encoder that notes what it is given and on which thread, and refuses a sample of -1.
class NotingEncoder final : public audio::SampleFile {
public:
    void Open(const QString&, int, bool) override
    {
        calls.push_back("open");
        open = true;
    }
    void Close() override
    {
        calls.push_back("close");
        open = false;
    }
    void Discard() override
    {
        calls.push_back("discard");
        open = false;
    }
    bool isOpen() const override { return open; }
    void adoptSampleRate(int) override {}
    void write(std::span<const std::int16_t> samples, int) override
    {
        if (std::find(samples.begin(), samples.end(), -1) != samples.end())
            throw error(QStringLiteral("refused"));
        samplesWritten.insert(samplesWritten.end(), samples.begin(), samples.end());
        otherThread = otherThread || std::this_thread::get_id() != caller;
    }

    std::vector<std::string> calls;
    std::vector<std::int16_t> samplesWritten;
    const std::thread::id caller = std::this_thread::get_id();
    bool otherThread = false;
    bool open = false;
};

} // namespace

TEST(EncoderThread, EveryBlockIsEncodedInOrderOnAnotherThreadBeforeTheFileIsClosed)
{
    auto noting = std::make_unique<NotingEncoder>();
    NotingEncoder& encoder = *noting;
    audio::EncoderThread thread(std::move(noting));
    thread.Open(QStringLiteral("a.opus"), speech::FileStream::CreateForWrite, false);
    std::vector<std::int16_t> sent(3 * audio::EncoderThread::MaxQueuedSamples);
    for (std::size_t i = 0; i < sent.size(); ++i)
        sent[i] = static_cast<std::int16_t>(i % 30000);
    for (std::size_t at = 0; at < sent.size(); at += 1000)
        thread.write(std::span(sent).subspan(at, std::min<std::size_t>(1000, sent.size() - at)),
                     16000);
    thread.Close();
    EXPECT_TRUE(encoder.samplesWritten == sent);
    EXPECT_TRUE(encoder.otherThread);
    EXPECT_THAT(encoder.calls, ElementsAre("open", "close"));
}

TEST(EncoderThread, WhatTheEncoderThrowsComesOutAndTheFileIsDiscarded)
{
    auto noting = std::make_unique<NotingEncoder>();
    NotingEncoder& encoder = *noting;
    audio::EncoderThread thread(std::move(noting));
    thread.Open(QStringLiteral("a.opus"), speech::FileStream::CreateForWrite, false);
    const std::int16_t refused[] = {1, -1, 2};
    thread.write(refused, 16000);
    try {
        thread.Close();
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), HasSubstr("refused"));
    }
    EXPECT_THAT(encoder.calls, ElementsAre("open", "discard"));
    thread.Open(QStringLiteral("b.opus"), speech::FileStream::CreateForWrite, false);
    const auto writeUntilTold = [&] {
        for (const QDeadlineTimer deadline(5000); !deadline.hasExpired();) {
            thread.write(refused, 16000);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    };
    EXPECT_THROW(writeUntilTold(), std::runtime_error) << "a later write tells it";
}
