#pragma once

#include "platform/PcmSink.h"

#include <memory>
#include <QAudioDevice>
#include <QAudioSink>

namespace platform {

// Plays through a Qt audio device in push mode.
class QtPcmSink final : public PcmSink {
public:
    static constexpr int BufferMilliseconds = 250;

    QtPcmSink(const QAudioDevice& device, int sampleRate);

    std::int64_t freeSamples() override;
    void write(std::span<const std::int16_t> samples) override;
    std::int64_t playedSamples() override;
    void suspend() override;
    void resume() override;
    void discard() override;

private:
    void start();

    int sampleRate_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* input_ = nullptr;
    // Samples heard before the sink was last started.
    std::int64_t playedBefore_ = 0;
    std::int64_t written_ = 0;
    bool suspended_ = false;
};

// The default output device, or a sink paced in real time where the machine has none.
PcmSinkFactory defaultPcmSinkFactory();

} // namespace platform
