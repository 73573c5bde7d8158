// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/CompressedFileStream.h"

#include "audio/SoundTagFields.h"
#include "formats/FileWriting.h"

#include <map>
#include <sndfile.h>

namespace audio {

namespace {

struct Encoding {
    int format = 0;
    // libsndfile's scale, from best to smallest: about 48 kbit/s for Vorbis, plenty for a voice;
    // FLAC is lossless whatever it is.
    double compression = 0;
};

Encoding encodingOf(speech::AudioFileType type)
{
    if (type == speech::AudioFileType::OggVorbis)
        return {SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.7};
    return {SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 0.75};
}

EncodedFile& fileOf(void* user)
{
    return *static_cast<EncodedFile*>(user);
}

sf_count_t fileLength(void* user)
{
    return fileOf(user).file.device().size();
}

sf_count_t seekFile(sf_count_t offset, int whence, void* user)
{
    QFileDevice& file = fileOf(user).file.device();
    const qint64 base = whence == SEEK_CUR ? file.pos() : whence == SEEK_END ? file.size() : 0;
    return file.seek(base + offset) ? file.pos() : -1;
}

sf_count_t readFile(void* data, sf_count_t count, void* user)
{
    return std::max<qint64>(fileOf(user).file.device().read(static_cast<char*>(data), count), 0);
}

sf_count_t writeFile(const void* data, sf_count_t count, void* user)
{
    EncodedFile& out = fileOf(user);
    if (!out.writeError.isEmpty())
        return 0;
    if (!formats::writeFully(out.file.device(), static_cast<const char*>(data), count)) {
        out.writeError = out.file.errorString();
        return 0;
    }
    return count;
}

sf_count_t tellFile(void* user)
{
    return fileOf(user).file.device().pos();
}

SF_VIRTUAL_IO fileAccess{fileLength, seekFile, readFile, writeFile, tellFile};

// libsndfile names the comments it keeps by its own numbers, and keeps no track total.
void writeTags(SNDFILE* file, const speech::SoundTags& tags)
{
    const std::map<QByteArray, int> fields = {
        {"TITLE", SF_STR_TITLE}, {"ALBUM", SF_STR_ALBUM}, {"TRACKNUMBER", SF_STR_TRACKNUMBER}};
    for (const auto& [name, value] : vorbisComments(tags))
        if (const auto field = fields.find(name); field != fields.end())
            sf_set_string(file, field->second, value.toUtf8().constData());
}

} // namespace

void CompressedFileStream::SndfileCloser::operator()(SNDFILE* sndfile) const
{
    sf_close(sndfile);
}

CompressedFileStream::CompressedFileStream(speech::AudioFileType type)
    : type_(type)
{
}

CompressedFileStream::~CompressedFileStream()
{
    closeQuietly();
}

int CompressedFileStream::startEncoder(int engineRate)
{
    const Encoding encoding = encodingOf(type_);
    SF_INFO info{};
    info.samplerate = engineRate;
    info.channels = 1;
    info.format = encoding.format;
    encoder_.reset(sf_open_virtual(&fileAccess, SFM_WRITE, &info, &out_));
    if (!encoder_)
        throw error(
            QStringLiteral("Cannot write \"%1\": %2")
                .arg(out_.file.device().fileName(), QString::fromUtf8(sf_strerror(nullptr))));
    writeTags(encoder_.get(), tags());
    double compression = encoding.compression;
    sf_command(encoder_.get(), SFC_SET_COMPRESSION_LEVEL, &compression, sizeof compression);
    return engineRate;
}

void CompressedFileStream::encode(std::span<const std::int16_t> samples)
{
    const auto count = static_cast<sf_count_t>(samples.size());
    if (out_.writeError.isEmpty() &&
        sf_writef_short(encoder_.get(), samples.data(), count) != count)
        failed(QString::fromUtf8(sf_strerror(encoder_.get())));
}

void CompressedFileStream::endEncoder()
{
    if (const int closed = sf_close(encoder_.release()); closed != 0)
        failed(QString::fromUtf8(sf_error_number(closed)));
}

} // namespace audio
