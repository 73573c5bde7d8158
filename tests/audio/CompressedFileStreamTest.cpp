// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/FileRendering.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/FileSizeLimit.h"

#include <gmock/gmock.h>
#include <QFile>
#include <QTemporaryDir>
#include <sndfile.h>

using speech::AudioFileType;
using testsupport::EngineUnderTest;

namespace {

const QString Text = QStringLiteral("The keeper wound the clock and trimmed the wicks. Then he "
                                    "climbed the stairs to watch the sea.");

// Speaks the text into a new file of the path's type, as the export does.
void exportTo(const QString& path, const QString& text = Text, const speech::SoundTags& tags = {})
{
    EngineUnderTest unpaced(false);
    const auto stream = unpaced.engine.CreateFileStream(speech::audioFileTypeOf(path));
    stream->SetTags(tags);
    speech::speakIntoFile(*unpaced.engine.CreateVoice(), stream, path, text);
}

struct Decoded {
    int sampleRate = 0;
    int channels = 0;
    double seconds = 0;
    int peak = 0;
    QString title;
    QString album;
    QString track;
};

Decoded decode(const QString& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<short> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_short(file, samples.data(), info.frames);
    const auto tag = [&](int field) { return QString::fromUtf8(sf_get_string(file, field)); };
    Decoded decoded{info.samplerate,
                    info.channels,
                    double(info.frames) / info.samplerate,
                    testsupport::peakOf({samples.begin(), samples.end()}),
                    tag(SF_STR_TITLE),
                    tag(SF_STR_ALBUM),
                    tag(SF_STR_TRACKNUMBER)};
    sf_close(file);
    return decoded;
}

// Walks the MPEG audio frames from the first to the end of the file: each must begin with a
// frame sync of MPEG-2 layer III and end where the next begins.
int validMp3Frames(const QByteArray& bytes)
{
    static const int bitrates[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
    static const int rates[] = {22050, 24000, 16000};
    qsizetype at = 0;
    if (bytes.startsWith("ID3") && bytes.size() > 10)
        at = 10 + ((bytes[6] & 0x7F) << 21 | (bytes[7] & 0x7F) << 14 | (bytes[8] & 0x7F) << 7 |
                   (bytes[9] & 0x7F));
    int frames = 0;
    while (at + 4 <= bytes.size()) {
        const auto byte = [&](int i) { return static_cast<unsigned char>(bytes[at + i]); };
        const bool mpeg2Layer3 = byte(0) == 0xFF && (byte(1) & 0xFE) == 0xF2;
        const int bitrate = byte(2) >> 4;
        const int rate = (byte(2) >> 2) & 3;
        if (!mpeg2Layer3 || bitrate == 0 || bitrate == 15 || rate == 3)
            return -1;
        at += 72 * bitrates[bitrate] * 1000 / rates[rate] + ((byte(2) >> 1) & 1);
        ++frames;
    }
    return at == bytes.size() ? frames : -1;
}

} // namespace

// A chapter's file names itself in the tags a player shows; the tags change nothing of the sound.
TEST(CompressedFileStream, EachTypeDecodesToTheSpeechAtItsRateWithItsTags)
{
    QTemporaryDir folder;
    const QString wav = folder.filePath(QStringLiteral("reference.wav"));
    exportTo(wav);
    const double expected = decode(wav).seconds;
    ASSERT_GT(expected, 3.0);
    const std::vector<std::pair<QString, int>> typesToRates = {{QStringLiteral("a.mp3"), 22050},
                                                               {QStringLiteral("a.opus"), 24000},
                                                               {QStringLiteral("a.OGG"), 22050},
                                                               {QStringLiteral("a.flac"), 22050}};
    const speech::SoundTags tags{QStringLiteral("第三章 The Lamp"), QStringLiteral("Keeper"), 3,
                                 12};
    for (const auto& [name, rate] : typesToRates) {
        const QString path = folder.filePath(name);
        exportTo(path, Text, tags);
        const Decoded decoded = decode(path);
        EXPECT_EQ(decoded.title, tags.title) << name.toStdString();
        EXPECT_EQ(decoded.album, tags.album) << name.toStdString();
        EXPECT_THAT(decoded.track.toStdString(), testing::StartsWith("3")) << name.toStdString();
        EXPECT_EQ(decoded.sampleRate, rate) << name.toStdString();
        EXPECT_EQ(decoded.channels, 1) << name.toStdString();
        EXPECT_NEAR(decoded.seconds, expected, 0.03) << name.toStdString();
        EXPECT_GT(decoded.peak, 3000) << name.toStdString();
    }
    QFile mp3(folder.filePath(QStringLiteral("a.mp3")));
    ASSERT_TRUE(mp3.open(QIODevice::ReadOnly));
    const QByteArray bytes = mp3.readAll();
    EXPECT_GT(validMp3Frames(bytes), 100);
    const double kbps = bytes.size() * 8 / expected / 1000;
    EXPECT_NEAR(kbps, 64, 4) << "64 kbit/s";
}

TEST(CompressedFileStream, AFileThatCannotBeWrittenWholeIsRemovedAndSaysWhy)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("cut.flac"));
    try {
        const testsupport::FileSizeLimit fullDisk(4096);
        exportTo(path);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), testing::HasSubstr("Cannot write"));
        EXPECT_THAT(error.what(), testing::HasSubstr("cut.flac"));
    }
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_THROW(exportTo(QStringLiteral("/nonexistent-folder/a.mp3")), std::runtime_error);
}
