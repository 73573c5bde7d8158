#pragma once

#include "speech/FileStream.h"

#include <cstdint>
#include <memory>
#include <QFile>
#include <span>

struct soxr;

namespace platform {

// A WAV file (RIFF, PCM, 16 bit, mono) that a voice renders into, resampled with libsoxr to the
// file's rate. The sizes in the header are filled in by Close; a file that could not be written
// whole is removed there.
class WavFileStream final : public speech::FileStream {
public:
    WavFileStream();
    ~WavFileStream() override;

    void SetFormatType(int formatType) override;
    int FormatType() const override { return formatType_; }
    void Open(const QString& path, int mode, bool doEvents) override;
    void Close() override;

    bool isOpen() const { return file_.isOpen(); }
    // Makes the file take samples at `sampleRate` as they come, instead of its format's rate;
    // only before the first sample.
    void adoptSampleRate(int sampleRate);
    void write(std::span<const std::int16_t> samples, int sampleRate);

private:
    struct SoxrDeleter {
        void operator()(soxr* resampler) const;
    };

    int outputRate() const;
    void resample(const std::int16_t* samples, std::size_t count);
    void writeBytes(const char* data, qint64 size);
    void writeHeader(std::uint32_t dataBytes);

    int formatType_ = Format16kHz16BitMono;
    int adoptedRate_ = 0;
    QFile file_;
    // Not a device or a link, so removing it on failure takes nothing else with it.
    bool isPlainFile_ = false;
    std::unique_ptr<soxr, SoxrDeleter> resampler_;
    int inputRate_ = 0;
    std::uint32_t dataBytes_ = 0;
    QString writeError_;
};

} // namespace platform
