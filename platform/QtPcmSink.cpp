#include "platform/QtPcmSink.h"

#include "platform/NullPcmSink.h"

#include <QMediaDevices>

namespace platform {

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

void QtPcmSink::start()
{
    input_ = sink_->start();
    if (suspended_)
        sink_->suspend();
}

std::int64_t QtPcmSink::freeSamples()
{
    return input_ ? sink_->bytesFree() / 2 : 0;
}

void QtPcmSink::write(std::span<const std::int16_t> samples)
{
    if (!input_)
        return;
    const qint64 bytes = input_->write(reinterpret_cast<const char*>(samples.data()),
                                       static_cast<qint64>(samples.size_bytes()));
    written_ += std::max<qint64>(bytes, 0) / 2;
}

// The device reports what it has played in whole microseconds; rounding to the nearest sample
// recovers the exact count, so a finished stream reads as wholly heard.
std::int64_t QtPcmSink::playedSamples()
{
    const std::int64_t played = (sink_->processedUSecs() * sampleRate_ + 500'000) / 1'000'000;
    return std::min(playedBefore_ + played, written_);
}

void QtPcmSink::suspend()
{
    suspended_ = true;
    sink_->suspend();
}

void QtPcmSink::resume()
{
    suspended_ = false;
    sink_->resume();
}

void QtPcmSink::discard()
{
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

} // namespace platform
