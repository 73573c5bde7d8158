// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/Resampler.h"
#include "audio/SampleFile.h"
#include "formats/OutputFile.h"

#include <memory>

namespace audio {

// The file an encoder writes through, with the first reason a write failed.
struct EncodedFile {
    formats::OutputFile file;
    QString writeError;
};

// A compressed sound file: the sound goes to an encoder, resampled where the encoder takes
// another rate, and the encoder writes to the file. A file that could not be written whole leaves
// what was there before.
class EncodingFileStream : public SampleFile {
public:
    void Open(const QString& path, int mode, bool doEvents) override;
    void Close() override;
    void Discard() override;

    bool isOpen() const override { return out_.file.isOpen(); }
    void adoptSampleRate(int) override {}
    void write(std::span<const std::int16_t> samples, int sampleRate) override;

protected:
    // Starts the encoder for sound at the engine's rate; returns the rate it takes. Throws where
    // it cannot start.
    virtual int startEncoder(int engineRate) = 0;
    virtual void encode(std::span<const std::int16_t> samples) = 0;
    // Writes what the encoder holds back and ends it.
    virtual void endEncoder() = 0;
    virtual void dropEncoder() = 0;
    virtual bool encoderStarted() const = 0;

    // For the destructors: a stream dropped without Close is still completed; there is no one left
    // to tell of a failure.
    void closeQuietly() noexcept;
    // Keeps the first reason writing failed.
    void failed(const QString& reason);

    EncodedFile out_;

private:
    void start(int engineRate);
    QString closeEncoder();

    std::unique_ptr<Resampler> resampler_;
    int engineRate_ = 0;
};

} // namespace audio
