// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/Resampler.h"
#include "audio/SampleFile.h"
#include "formats/OutputFile.h"
#include "speech/AudioFileType.h"

#include <memory>

struct sf_private_tag;

namespace audio {

// The file an encoder writes through, with the first reason a write failed.
struct EncodedFile {
    formats::OutputFile file;
    QString writeError;
};

// An MP3, Ogg Opus, Ogg Vorbis or FLAC file that a voice renders into, encoded by libsndfile:
// mono, at the engine's own rate whatever the format type says (Opus at 24 kHz), compressed for
// speech. A file that could not be written whole leaves what was there before.
class CompressedFileStream final : public SampleFile {
public:
    explicit CompressedFileStream(speech::AudioFileType type);
    ~CompressedFileStream() override;

    void Open(const QString& path, int mode, bool doEvents) override;
    void Close() override;
    void Discard() override;

    bool isOpen() const override { return out_.file.isOpen(); }
    void adoptSampleRate(int) override {}
    void write(std::span<const std::int16_t> samples, int sampleRate) override;

private:
    struct SndfileCloser {
        void operator()(sf_private_tag* sndfile) const;
    };

    void startEncoder(int sampleRate);
    void encode(std::span<const std::int16_t> samples);
    QString closeEncoder();

    speech::AudioFileType type_;
    EncodedFile out_;
    std::unique_ptr<sf_private_tag, SndfileCloser> encoder_;
    std::unique_ptr<Resampler> resampler_;
    int engineRate_ = 0;
};

} // namespace audio
