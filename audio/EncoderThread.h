// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/SampleFile.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace audio {

// Hands the samples of a file to its encoder on a thread of its own, so synthesis goes on while
// the encoder works. Synthesis waits only when the encoder is more than MaxQueuedSamples behind.
// What the encoder throws comes out of the next write, or of Close, which then discards the file.
class EncoderThread final : public SampleFile {
public:
    static constexpr std::size_t MaxQueuedSamples = std::size_t(1) << 20;

    explicit EncoderThread(std::unique_ptr<SampleFile> encoder);
    ~EncoderThread() override;

    void SetTags(const speech::SoundTags& tags) override { encoder_->SetTags(tags); }
    void Open(const QString& path, int mode, bool doEvents) override;
    void Close() override;
    void Discard() override;

    bool isOpen() const override { return encoder_->isOpen(); }
    void adoptSampleRate(int sampleRate) override { encoder_->adoptSampleRate(sampleRate); }
    void write(std::span<const std::int16_t> samples, int sampleRate) override;

private:
    struct Block {
        std::vector<std::int16_t> samples;
        int sampleRate = 0;
    };

    void encodeQueued();
    // Ends the thread once it has encoded what is queued, or at once when dropping it.
    void stop(bool dropQueued);
    void throwFailure();

    std::unique_ptr<SampleFile> encoder_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Block> queue_;
    std::size_t queuedSamples_ = 0;
    bool ending_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

} // namespace audio
