// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/EncodingFileStream.h"
#include "speech/AudioFileType.h"

struct sf_private_tag;

namespace audio {

// An Ogg Vorbis or FLAC file encoded by libsndfile: mono, at the engine's own rate,
// compressed for speech.
class CompressedFileStream final : public EncodingFileStream {
public:
    explicit CompressedFileStream(speech::AudioFileType type);
    ~CompressedFileStream() override;

private:
    struct SndfileCloser {
        void operator()(sf_private_tag* sndfile) const;
    };

    int startEncoder(int engineRate) override;
    void encode(std::span<const std::int16_t> samples) override;
    void endEncoder() override;
    void dropEncoder() override { encoder_.reset(); }
    bool encoderStarted() const override { return encoder_ != nullptr; }

    speech::AudioFileType type_;
    std::unique_ptr<sf_private_tag, SndfileCloser> encoder_;
};

} // namespace audio
