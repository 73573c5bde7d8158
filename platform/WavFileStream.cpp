#include "platform/WavFileStream.h"

#include "platform/FileWriting.h"

#include <cstring>
#include <QFileInfo>
#include <QtEndian>
#include <soxr.h>
#include <stdexcept>
#include <vector>

namespace platform {

namespace {

constexpr int FileRate = 16000;
constexpr int HeaderSize = 44;
constexpr std::uint32_t MaxDataBytes = 0xFFFFFFFFu - HeaderSize;

std::runtime_error error(const QString& message)
{
    return std::runtime_error(message.toStdString());
}

} // namespace

void WavFileStream::SoxrDeleter::operator()(soxr* resampler) const
{
    soxr_delete(resampler);
}

WavFileStream::WavFileStream() = default;

// A stream dropped without Close is still completed; there is no one left to tell of a failure.
WavFileStream::~WavFileStream()
{
    try {
        Close();
    } catch (const std::runtime_error&) {
    }
}

void WavFileStream::SetFormatType(int formatType)
{
    if (formatType != Format16kHz16BitMono)
        throw error(QStringLiteral("Unsupported audio format type %1").arg(formatType));
    formatType_ = formatType;
}

void WavFileStream::Open(const QString& path, int mode, bool)
{
    if (mode != CreateForWrite)
        throw error(QStringLiteral("Unsupported file stream mode %1").arg(mode));
    if (file_.isOpen())
        Close();
    file_.setFileName(path);
    // Unbuffered, so a failed write is seen with the system's reason, not as a later flush's.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw error(QStringLiteral("Cannot create \"%1\": %2").arg(path, file_.errorString()));
    isPlainFile_ = QFileInfo(path).isFile() && !QFileInfo(path).isSymLink();
    adoptedRate_ = 0;
    resampler_.reset();
    inputRate_ = 0;
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
        writeBytes(reinterpret_cast<const char*>(samples.data()),
                   static_cast<qint64>(samples.size_bytes()));
        return;
    }
    if (!resampler_ || inputRate_ != sampleRate) {
        resample(nullptr, 0);
        const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
        const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
        soxr_error_t failure = nullptr;
        resampler_.reset(
            soxr_create(sampleRate, outputRate(), 1, &failure, &io, &quality, nullptr));
        if (failure)
            throw error(QStringLiteral("Cannot resample audio: %1").arg(failure));
        inputRate_ = sampleRate;
    }
    resample(samples.data(), samples.size());
}

// A null input drains what the resampler still holds.
void WavFileStream::resample(const std::int16_t* samples, std::size_t count)
{
    if (!resampler_)
        return;
    const bool draining = samples == nullptr;
    std::vector<std::int16_t> out(count * outputRate() / std::max(inputRate_, 1) + 1024);
    while (true) {
        std::size_t used = 0;
        std::size_t made = 0;
        soxr_process(resampler_.get(), samples, count, &used, out.data(), out.size(), &made);
        writeBytes(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(made * 2));
        if (draining ? made == 0 : (used == 0 && made == 0))
            break;
        if (!draining) {
            samples += used;
            count -= used;
            if (count == 0 && made < out.size())
                break;
        }
    }
}

void WavFileStream::writeBytes(const char* data, qint64 size)
{
    if (size <= 0 || !writeError_.isEmpty())
        return;
    if (dataBytes_ + static_cast<std::uint64_t>(size) > MaxDataBytes) {
        writeError_ = QStringLiteral("the file would exceed 4 GB");
        return;
    }
    if (!writeFully(file_, data, size)) {
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
    if ((file_.pos() != 0 && !file_.seek(0)) || !writeFully(file_, header, HeaderSize))
        writeError_ = file_.errorString();
}

void WavFileStream::Close()
{
    if (!file_.isOpen())
        return;
    resample(nullptr, 0);
    resampler_.reset();
    // A pipe or device keeps the sizes unknown: it cannot go back to the header.
    if (writeError_.isEmpty() && !file_.isSequential())
        writeHeader(dataBytes_);
    const QString path = file_.fileName();
    file_.close();
    if (writeError_.isEmpty())
        return;
    // A file cut short would pass for a shorter text's sound.
    if (isPlainFile_)
        QFile::remove(path);
    throw error(QStringLiteral("Cannot write \"%1\": %2").arg(path, writeError_));
}

} // namespace platform
