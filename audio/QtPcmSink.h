// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/NullPcmSink.h"
#include "audio/PcmSink.h"

#include <memory>
#include <QAudioDevice>
#include <QAudioSink>

namespace audio {

// Plays through a Qt audio device in push mode. When the device cannot be opened or fails while
// playing, the sink goes on without sound in real time, so speech keeps its pace and comes to an
// end instead of waiting for a device that will not take it.
class QtPcmSink final : public PcmSink {
public:
    static constexpr int BufferMilliseconds = 250;

    QtPcmSink(const QAudioDevice& device, int sampleRate);
    ~QtPcmSink() override;

    std::int64_t freeSamples() override;
    void write(std::span<const std::int16_t> samples) override;
    std::int64_t playedSamples() override;
    void suspend() override;
    void resume() override;
    void discard() override;

private:
    void start();
    bool deviceFailed();

    int sampleRate_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* input_ = nullptr;
    // Samples heard before the sink (or its stand-in) was last started.
    std::int64_t playedBefore_ = 0;
    std::int64_t written_ = 0;
    std::int64_t heard_ = 0;
    bool suspended_ = false;
    std::unique_ptr<NullPcmSink> standIn_;
};

// The default output device, or a sink paced in real time where the machine has none.
PcmSinkFactory defaultPcmSinkFactory();

} // namespace audio
