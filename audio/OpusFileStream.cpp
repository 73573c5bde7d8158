// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/OpusFileStream.h"

#include "audio/SoundTagFields.h"
#include "formats/FileWriting.h"

#include <opusenc.h>

namespace audio {

namespace {

// The band the sound at the rate can hold: a wider one would cost time and bits for nothing.
int bandwidthFor(int sampleRate)
{
    if (sampleRate <= 8000)
        return OPUS_BANDWIDTH_NARROWBAND;
    if (sampleRate <= 16000)
        return OPUS_BANDWIDTH_WIDEBAND;
    if (sampleRate <= 24000)
        return OPUS_BANDWIDTH_SUPERWIDEBAND;
    return OPUS_BANDWIDTH_FULLBAND;
}

int writePage(void* user, const unsigned char* page, opus_int32 length)
{
    auto& out = *static_cast<EncodedFile*>(user);
    if (!out.writeError.isEmpty())
        return 1;
    if (formats::writeFully(out.file.device(), reinterpret_cast<const char*>(page), length))
        return 0;
    out.writeError = out.file.errorString();
    return 1;
}

int closeFile(void*)
{
    return 0;
}

const OpusEncCallbacks FileAccess{writePage, closeFile};

} // namespace

void OpusFileStream::EncoderDestroyer::operator()(OggOpusEnc* encoder) const
{
    ope_encoder_destroy(encoder);
}

OpusFileStream::~OpusFileStream()
{
    closeQuietly();
}

int OpusFileStream::startEncoder(int engineRate)
{
    int failure = OPE_OK;
    const std::unique_ptr<OggOpusComments, decltype(&ope_comments_destroy)> comments(
        ope_comments_create(), ope_comments_destroy);
    for (const auto& [name, value] : vorbisComments(tags()))
        ope_comments_add(comments.get(), name, value.toUtf8().constData());
    encoder_.reset(ope_encoder_create_callbacks(&FileAccess, &out_, comments.get(), engineRate, 1,
                                                0, &failure));
    if (!encoder_)
        throw error(
            QStringLiteral("Cannot write \"%1\": %2")
                .arg(out_.file.device().fileName(), QString::fromUtf8(ope_strerror(failure))));
    ope_encoder_ctl(encoder_.get(), OPUS_SET_SIGNAL(OPUS_SIGNAL_VOICE));
    ope_encoder_ctl(encoder_.get(), OPUS_SET_COMPLEXITY(Complexity));
    ope_encoder_ctl(encoder_.get(), OPUS_SET_BITRATE(BitsPerSecond));
    ope_encoder_ctl(encoder_.get(), OPUS_SET_MAX_BANDWIDTH(bandwidthFor(engineRate)));
    return engineRate;
}

void OpusFileStream::encode(std::span<const std::int16_t> samples)
{
    if (!out_.writeError.isEmpty())
        return;
    if (const int failure =
            ope_encoder_write(encoder_.get(), samples.data(), static_cast<int>(samples.size()));
        failure != OPE_OK)
        failed(QString::fromUtf8(ope_strerror(failure)));
}

void OpusFileStream::endEncoder()
{
    if (const int drained = ope_encoder_drain(encoder_.get()); drained != OPE_OK)
        failed(QString::fromUtf8(ope_strerror(drained)));
    encoder_.reset();
}

} // namespace audio
