// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/QtPcmSink.h"

#include <QMediaDevices>

namespace audio {

namespace {

QAudioFormat monoInt16(int sampleRate)
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

QtPcmSink::QtPcmSink(const QAudioDevice& device, int sampleRate)
    : sampleRate_(sampleRate)
    , sink_(std::make_unique<QAudioSink>(device, monoInt16(sampleRate)))
{
    sink_->setBufferSize(qsizetype{sampleRate} * 2 * BufferMilliseconds / 1000);
    start();
}

// The sound stops at once; the Qt sink itself goes later, because its PulseAudio backend handles
// pending events while it is destroyed, and those must not run inside the voice that let it go.
QtPcmSink::~QtPcmSink()
{
    sink_->stop();
    sink_.release()->deleteLater();
}

void QtPcmSink::start()
{
    input_ = sink_->start();
    if (suspended_)
        sink_->suspend();
}

bool QtPcmSink::deviceFailed()
{
    if (standIn_)
        return true;
    const QAudio::Error error = sink_->error();
    if (input_ && error != QAudio::OpenError && error != QAudio::IOError &&
        error != QAudio::FatalError)
        return false;
    // What the device took and had not played is lost with it. It counts as heard, or the speech
    // written would never be heard to its end.
    playedBefore_ = written_;
    sink_->stop();
    standIn_ = std::make_unique<NullPcmSink>(sampleRate_);
    if (suspended_)
        standIn_->suspend();
    return true;
}

std::int64_t QtPcmSink::freeSamples()
{
    if (deviceFailed())
        return standIn_->freeSamples();
    return sink_->bytesFree() / 2;
}

void QtPcmSink::write(std::span<const std::int16_t> samples)
{
    if (deviceFailed()) {
        standIn_->write(samples);
        return;
    }
    const qint64 bytes = input_->write(reinterpret_cast<const char*>(samples.data()),
                                       static_cast<qint64>(samples.size_bytes()));
    written_ += std::max<qint64>(bytes, 0) / 2;
}

// The device reports what it has played in whole microseconds; rounding to the nearest sample
// recovers the exact count, so a finished stream reads as wholly heard.
std::int64_t QtPcmSink::playedSamples()
{
    if (deviceFailed()) {
        heard_ = playedBefore_ + standIn_->playedSamples();
    } else {
        const std::int64_t played = (sink_->processedUSecs() * sampleRate_ + 500'000) / 1'000'000;
        heard_ = std::max(heard_, std::min(playedBefore_ + played, written_));
    }
    return heard_;
}

void QtPcmSink::suspend()
{
    suspended_ = true;
    if (deviceFailed())
        standIn_->suspend();
    else
        sink_->suspend();
}

void QtPcmSink::resume()
{
    suspended_ = false;
    if (deviceFailed())
        standIn_->resume();
    else
        sink_->resume();
}

void QtPcmSink::discard()
{
    if (deviceFailed()) {
        standIn_->discard();
        return;
    }
    playedBefore_ = playedSamples();
    written_ = playedBefore_;
    sink_->stop();
    start();
}

PcmSinkFactory defaultPcmSinkFactory()
{
    return [](int sampleRate) -> std::unique_ptr<PcmSink> {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return std::make_unique<NullPcmSink>(sampleRate);
        return std::make_unique<QtPcmSink>(device, sampleRate);
    };
}

} // namespace audio
