// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/WavFileStream.h"

#include "tests/support/FileSizeLimit.h"

#include <cmath>
#include <future>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <sys/stat.h>
#include <vector>

using audio::WavFileStream;

namespace {

std::vector<std::int16_t> tone(int sampleRate, int count)
{
    std::vector<std::int16_t> samples(count);
    for (int i = 0; i < count; ++i)
        samples[i] = static_cast<std::int16_t>(10000 * std::sin(2 * M_PI * 440 * i / sampleRate));
    return samples;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(WavFileStream, ResamplesToSixteenKilohertzInPieces)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tone.wav"));
    WavFileStream stream;
    stream.Open(path, speech::FileStream::CreateForWrite, false);
    const auto second = tone(22050, 22050);
    for (std::size_t at = 0; at < second.size(); at += 1000)
        stream.write(std::span(second).subspan(at, std::min<std::size_t>(1000, second.size() - at)),
                     22050);
    stream.Close();
    const QByteArray wav = contents(path);
    const auto dataBytes = qFromLittleEndian<quint32>(wav.constData() + 40);
    EXPECT_EQ(dataBytes, wav.size() - 44);
    EXPECT_NEAR(dataBytes / 2.0, 16000, 16);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 24), 16000u);
}

TEST(WavFileStream, AnAdoptedRateIsWrittenUnchanged)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("native.wav"));
    WavFileStream stream;
    stream.Open(path, speech::FileStream::CreateForWrite, false);
    stream.adoptSampleRate(22050);
    const auto samples = tone(22050, 500);
    stream.write(samples, 22050);
    stream.Close();
    const QByteArray wav = contents(path);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 24), 22050u);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 28), 44100u);
    ASSERT_EQ(wav.size(), 44 + 1000);
    EXPECT_EQ(std::memcmp(wav.constData() + 44, samples.data(), 1000), 0);
}

TEST(WavFileStream, FailuresAreReportedWithThePath)
{
    WavFileStream stream;
    EXPECT_THROW(stream.SetFormatType(22), std::runtime_error);
    EXPECT_THROW(stream.Open(QStringLiteral("/tmp/x.wav"), 1, false), std::runtime_error);
    // Every write to /dev/full fails for want of space; the error comes with Close.
    stream.Open(QStringLiteral("/dev/full"), speech::FileStream::CreateForWrite, false);
    stream.write(tone(16000, 100000), 16000);
    try {
        stream.Close();
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Cannot write \"/dev/full\": No space left on device");
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/full")).exists()) << "only files are removed";
}

TEST(WavFileStream, AFileThatCannotBeWrittenWholeOrIsDiscardedLeavesWhatWasThere)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.wav"));
    WavFileStream stream;
    stream.Open(path, speech::FileStream::CreateForWrite, false);
    {
        const testsupport::FileSizeLimit full(4096);
        stream.write(tone(16000, 16000), 16000);
        EXPECT_THROW(stream.Close(), std::runtime_error);
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    writeFile(path, "an earlier export");
    stream.Open(path, speech::FileStream::CreateForWrite, false);
    stream.write(tone(16000, 1600), 16000);
    stream.Discard();
    EXPECT_EQ(contents(path), "an earlier export");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.wav")});
}

// The second to finish wins whole; before, both wrote into one file and left it corrupt.
TEST(WavFileStream, TwoExportsToOneNameAtOnceLeaveOneWholeFile)
{
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("same.wav"));
    WavFileStream first;
    WavFileStream second;
    first.Open(path, speech::FileStream::CreateForWrite, false);
    second.Open(path, speech::FileStream::CreateForWrite, false);
    first.write(tone(16000, 3000), 16000);
    second.write(tone(16000, 1000), 16000);
    first.Close();
    second.Close();
    const QByteArray wav = contents(path);
    EXPECT_EQ(wav.size(), 44 + 2000);
    EXPECT_EQ(qFromLittleEndian<quint32>(wav.constData() + 40), 2000u);
}

// A link is followed and stays a link; a FIFO gets the sound and stays, stopped or not.
TEST(WavFileStream, ALinkAndAFifoStayWhatTheyAre)
{
    const QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("target.wav"));
    const QString link = folder.filePath(QStringLiteral("link.wav"));
    writeFile(target, "old");
    ASSERT_TRUE(QFile::link(target, link));
    WavFileStream stream;
    stream.Open(link, speech::FileStream::CreateForWrite, false);
    stream.write(tone(16000, 500), 16000);
    stream.Close();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(contents(target).size(), 44 + 1000);

    const QString fifo = folder.filePath(QStringLiteral("fifo.wav"));
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    for (const bool stop : {false, true}) {
        std::future<QByteArray> heard =
            std::async(std::launch::async, [&] { return contents(fifo); });
        stream.Open(fifo, speech::FileStream::CreateForWrite, false);
        stream.write(tone(16000, 500), 16000);
        if (stop)
            stream.Discard();
        else
            stream.Close();
        EXPECT_EQ(heard.get().size(), 44 + 1000);
        EXPECT_FALSE(QFileInfo(fifo).isFile());
        EXPECT_TRUE(QFileInfo::exists(fifo));
    }
}
