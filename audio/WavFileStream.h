// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/Resampler.h"
#include "audio/SampleFile.h"
#include "formats/OutputFile.h"

#include <memory>

namespace audio {

// A WAV file (RIFF, PCM, 16 bit, mono) that a voice renders into, resampled with libsoxr to the
// file's rate. The sizes in the header are filled in by Close; a file that could not be written
// whole leaves what was there before.
class WavFileStream final : public SampleFile {
public:
    WavFileStream();
    ~WavFileStream() override;

    void Open(const QString& path, int mode, bool doEvents) override;
    void Close() override;
    void Discard() override;

    bool isOpen() const override { return file_.isOpen(); }
    void adoptSampleRate(int sampleRate) override;
    void write(std::span<const std::int16_t> samples, int sampleRate) override;

private:
    int outputRate() const;
    void writeSamples(std::span<const std::int16_t> samples);
    void writeBytes(const char* data, qint64 size);
    void writeHeader(std::uint32_t dataBytes);

    int adoptedRate_ = 0;
    formats::OutputFile file_;
    std::unique_ptr<Resampler> resampler_;
    std::uint32_t dataBytes_ = 0;
    QString writeError_;
};

} // namespace audio
