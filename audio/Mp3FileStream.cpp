// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/Mp3FileStream.h"

#include "audio/SoundTagFields.h"
#include "formats/FileWriting.h"

#include <lame/lame.h>

namespace audio {

void Mp3FileStream::EncoderCloser::operator()(lame_global_struct* encoder) const
{
    lame_close(encoder);
}

Mp3FileStream::~Mp3FileStream()
{
    closeQuietly();
}

int Mp3FileStream::startEncoder(int engineRate)
{
    encoder_.reset(lame_init());
    lame_global_struct* lame = encoder_.get();
    if (lame) {
        lame_set_in_samplerate(lame, engineRate);
        lame_set_out_samplerate(lame, engineRate);
        lame_set_num_channels(lame, 1);
        lame_set_mode(lame, MONO);
        lame_set_VBR(lame, vbr_off);
        lame_set_brate(lame, KiloBitsPerSecond);
        lame_set_quality(lame, Quality);
    }
    if (!lame || lame_init_params(lame) < 0) {
        encoder_.reset();
        throw error(QStringLiteral("Cannot write \"%1\": LAME does not encode sound at %2 Hz")
                        .arg(out_.file.device().fileName())
                        .arg(engineRate));
    }
    const QByteArray tag = id3v2Tag(tags());
    if (!formats::writeFully(out_.file.device(), tag.constData(), tag.size()))
        failed(out_.file.errorString());
    firstFrameAt_ = tag.size();
    return engineRate;
}

// LAME's own bound for the frames of the samples given.
void Mp3FileStream::encode(std::span<const std::int16_t> samples)
{
    if (!out_.writeError.isEmpty())
        return;
    frames_.resize(samples.size() * 5 / 4 + 7200);
    put(lame_encode_buffer(encoder_.get(), samples.data(), nullptr,
                           static_cast<int>(samples.size()), frames_.data(),
                           static_cast<int>(frames_.size())));
}

// The first frame, after the ID3 tag and held free until now, takes the LAME tag: it tells players
// the encoder's delay and padding, which they leave out, so the sound is as long as what was
// encoded.
void Mp3FileStream::endEncoder()
{
    frames_.resize(7200);
    if (out_.writeError.isEmpty())
        put(lame_encode_flush(encoder_.get(), frames_.data(), static_cast<int>(frames_.size())));
    const std::size_t tag = lame_get_lametag_frame(encoder_.get(), frames_.data(), frames_.size());
    QFileDevice& file = out_.file.device();
    if (out_.writeError.isEmpty() && tag > 0 && tag <= frames_.size() &&
        (!file.seek(firstFrameAt_) ||
         !formats::writeFully(file, reinterpret_cast<const char*>(frames_.data()),
                              static_cast<qint64>(tag))))
        failed(file.errorString());
    encoder_.reset();
}

void Mp3FileStream::put(int encoded)
{
    if (encoded < 0)
        failed(QStringLiteral("LAME failed (%1)").arg(encoded));
    else if (!formats::writeFully(out_.file.device(), reinterpret_cast<const char*>(frames_.data()),
                                  encoded))
        failed(out_.file.errorString());
}

} // namespace audio
