// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/EncoderThread.h"

namespace audio {

EncoderThread::EncoderThread(std::unique_ptr<SampleFile> encoder)
    : encoder_(std::move(encoder))
{
}

// A file dropped without Close is completed by its encoder, with all that was written.
EncoderThread::~EncoderThread()
{
    stop(false);
}

void EncoderThread::Open(const QString& path, int mode, bool doEvents)
{
    stop(true);
    encoder_->Open(path, mode, doEvents);
    failure_ = nullptr;
    ending_ = false;
    thread_ = std::thread([this] { encodeQueued(); });
}

void EncoderThread::write(std::span<const std::int16_t> samples, int sampleRate)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return queuedSamples_ < MaxQueuedSamples || failure_; });
    if (failure_)
        std::rethrow_exception(failure_);
    if (!thread_.joinable() || samples.empty())
        return;
    queue_.push_back({{samples.begin(), samples.end()}, sampleRate});
    queuedSamples_ += samples.size();
    changed_.notify_all();
}

void EncoderThread::encodeQueued()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return !queue_.empty() || ending_; });
        if (queue_.empty())
            return;
        Block block = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        std::exception_ptr failure;
        try {
            encoder_->write(block.samples, block.sampleRate);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        queuedSamples_ -= block.samples.size();
        if (failure) {
            failure_ = failure;
            queue_.clear();
            queuedSamples_ = 0;
        }
        changed_.notify_all();
    }
}

void EncoderThread::stop(bool dropQueued)
{
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        if (dropQueued) {
            queue_.clear();
            queuedSamples_ = 0;
        }
        ending_ = true;
        changed_.notify_all();
    }
    thread_.join();
}

void EncoderThread::Close()
{
    stop(false);
    if (failure_) {
        encoder_->Discard();
        std::rethrow_exception(std::exchange(failure_, nullptr));
    }
    encoder_->Close();
}

void EncoderThread::Discard()
{
    stop(true);
    failure_ = nullptr;
    encoder_->Discard();
}

} // namespace audio
