// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/WavFileStream.h"

#include "formats/FileWriting.h"

#include <cstring>
#include <QtEndian>

namespace audio {

namespace {

constexpr int FileRate = 16000;
constexpr int HeaderSize = 44;
constexpr std::uint32_t MaxDataBytes = 0xFFFFFFFFu - HeaderSize;

} // namespace

WavFileStream::WavFileStream() = default;

// A stream dropped without Close is still completed; there is no one left to tell of a failure.
WavFileStream::~WavFileStream()
{
    try {
        Close();
    } catch (const std::runtime_error&) {
    }
}

void WavFileStream::Open(const QString& path, int mode, bool)
{
    checkOpenMode(mode);
    if (file_.isOpen())
        Close();
    if (!file_.open(path))
        throw error(QStringLiteral("Cannot create \"%1\": %2").arg(path, file_.errorString()));
    adoptedRate_ = 0;
    resampler_.reset();
    dataBytes_ = 0;
    writeError_.clear();
    writeHeader(0);
}

int WavFileStream::outputRate() const
{
    return adoptedRate_ > 0 ? adoptedRate_ : FileRate;
}

void WavFileStream::adoptSampleRate(int sampleRate)
{
    if (dataBytes_ == 0 && !resampler_)
        adoptedRate_ = sampleRate;
}

void WavFileStream::write(std::span<const std::int16_t> samples, int sampleRate)
{
    if (!file_.isOpen() || samples.empty())
        return;
    if (sampleRate == outputRate()) {
        writeSamples(samples);
        return;
    }
    if (!resampler_ || resampler_->inputRate() != sampleRate) {
        if (resampler_)
            resampler_->drain([this](auto out) { writeSamples(out); });
        resampler_ = std::make_unique<Resampler>(sampleRate, outputRate());
    }
    resampler_->process(samples, [this](auto out) { writeSamples(out); });
}

void WavFileStream::writeSamples(std::span<const std::int16_t> samples)
{
    writeBytes(reinterpret_cast<const char*>(samples.data()),
               static_cast<qint64>(samples.size_bytes()));
}

void WavFileStream::writeBytes(const char* data, qint64 size)
{
    if (size <= 0 || !writeError_.isEmpty())
        return;
    if (dataBytes_ + static_cast<std::uint64_t>(size) > MaxDataBytes) {
        writeError_ = QStringLiteral("the file would exceed 4 GB");
        return;
    }
    if (!formats::writeFully(file_.device(), data, size)) {
        writeError_ = file_.errorString();
        return;
    }
    dataBytes_ += static_cast<std::uint32_t>(size);
}

void WavFileStream::writeHeader(std::uint32_t dataBytes)
{
    const std::uint32_t rate = static_cast<std::uint32_t>(outputRate());
    char header[HeaderSize];
    auto put32 = [&](int at, std::uint32_t value) { qToLittleEndian(value, header + at); };
    auto put16 = [&](int at, std::uint16_t value) { qToLittleEndian(value, header + at); };
    std::memcpy(header, "RIFF", 4);
    put32(4, 36 + dataBytes);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 1);
    put32(24, rate);
    put32(28, rate * 2);
    put16(32, 2);
    put16(34, 16);
    std::memcpy(header + 36, "data", 4);
    put32(40, dataBytes);
    QFileDevice& file = file_.device();
    if ((file.pos() != 0 && !file.seek(0)) || !formats::writeFully(file, header, HeaderSize))
        writeError_ = file_.errorString();
}

void WavFileStream::Close()
{
    if (!file_.isOpen())
        return;
    if (resampler_)
        resampler_->drain([this](auto out) { writeSamples(out); });
    resampler_.reset();
    // A pipe or device keeps the sizes unknown: it cannot go back to the header.
    if (writeError_.isEmpty() && !file_.device().isSequential())
        writeHeader(dataBytes_);
    finishWriting(file_, writeError_);
}

void WavFileStream::Discard()
{
    resampler_.reset();
    file_.discard();
}

} // namespace audio
