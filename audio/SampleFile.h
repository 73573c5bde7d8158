// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/SampleSink.h"
#include "formats/OutputFile.h"
#include "speech/FileStream.h"

#include <stdexcept>

namespace audio {

// A file stream of this engine: a voice renders its sound into it, at the engine's rate. Its one
// format type is 16 kHz, 16 bit, mono; only WAV files take that rate.
class SampleFile : public speech::FileStream, public SampleSink {
public:
    void SetFormatType(int formatType) override;
    int FormatType() const override { return formatType_; }
    void SetTags(const speech::SoundTags& tags) override { tags_ = tags; }

    virtual bool isOpen() const = 0;
    // Makes the file take samples at `sampleRate` as they come, where its format leaves the rate
    // open; only before the first sample.
    virtual void adoptSampleRate(int sampleRate) = 0;

protected:
    const speech::SoundTags& tags() const { return tags_; }
    static std::runtime_error error(const QString& message);
    static void checkOpenMode(int mode);
    // Puts the file in place unless writing it failed: a file cut short would pass for a shorter
    // text's sound, so then it is discarded and the reason thrown.
    static void finishWriting(formats::OutputFile& file, QString failure);

private:
    int formatType_ = Format16kHz16BitMono;
    speech::SoundTags tags_;
};

} // namespace audio
