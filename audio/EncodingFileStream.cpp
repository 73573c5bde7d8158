// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/EncodingFileStream.h"

namespace audio {

namespace {

// Used when no sound came at all, so the file is still a valid, empty one.
constexpr int UsualEngineRate = 22050;

} // namespace

void EncodingFileStream::Open(const QString& path, int mode, bool)
{
    checkOpenMode(mode);
    if (isOpen())
        Close();
    out_.writeError.clear();
    if (!out_.file.open(path))
        throw error(QStringLiteral("Cannot create \"%1\": %2").arg(path, out_.file.errorString()));
    engineRate_ = 0;
}

void EncodingFileStream::write(std::span<const std::int16_t> samples, int sampleRate)
{
    if (!isOpen() || samples.empty())
        return;
    if (!encoderStarted())
        start(sampleRate);
    if (sampleRate != engineRate_)
        throw error(QStringLiteral("The sound changed its rate within one file"));
    if (resampler_)
        resampler_->process(samples, [this](auto out) { encode(out); });
    else
        encode(samples);
}

void EncodingFileStream::start(int engineRate)
{
    const int encoderRate = startEncoder(engineRate);
    engineRate_ = engineRate;
    if (encoderRate != engineRate)
        resampler_ = std::make_unique<Resampler>(engineRate, encoderRate);
}

void EncodingFileStream::failed(const QString& reason)
{
    if (out_.writeError.isEmpty())
        out_.writeError = reason;
}

// Ends the encoding, so its last frames and headers are written; returns why it failed, if it did.
QString EncodingFileStream::closeEncoder()
{
    if (!encoderStarted())
        start(UsualEngineRate);
    if (resampler_)
        resampler_->drain([this](auto out) { encode(out); });
    resampler_.reset();
    endEncoder();
    return out_.writeError;
}

void EncodingFileStream::Close()
{
    if (!isOpen())
        return;
    QString failure;
    try {
        failure = closeEncoder();
    } catch (const std::runtime_error& startFailed) {
        failure = QString::fromStdString(startFailed.what());
    }
    finishWriting(out_.file, failure);
}

void EncodingFileStream::closeQuietly() noexcept
{
    try {
        Close();
    } catch (const std::runtime_error&) {
    }
}

void EncodingFileStream::Discard()
{
    dropEncoder();
    resampler_.reset();
    out_.file.discard();
}

} // namespace audio
