// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/EngineFixture.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

using namespace testsupport;

namespace {

constexpr int FileRate = 16000;
constexpr qint64 HeaderSize = 44;
// The text's longest word, "Sentence", lasts about this long.
constexpr double OneWordSeconds = 0.5;

QString sentence(int number)
{
    return QStringLiteral("Sentence number %1 of the long text goes on for a while. ").arg(number);
}

QString sentences(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += sentence(i);
    return text;
}

// Seconds of sound in a WAV export of the text. With a signal, it is sent to the helper once the
// file holds three seconds, in the middle of the first piece.
double exportedSeconds(const QString& text, int signal = 0)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.wav"));
    EngineUnderTest unpaced(false);
    auto voice = unpaced.engine.CreateVoice();
    auto stream = unpaced.engine.CreateFileStream(speech::AudioFileType::Wav);
    stream->Open(path, speech::FileStream::CreateForWrite, false);
    voice->SetAllowAudioOutputFormatChangesOnNextSet(false);
    voice->SetAudioOutputStream(stream);
    voice->Speak(text, speech::Voice::SpeakAsync);
    if (signal) {
        const qint64 helper = unpaced.engine.synthService().helperProcessId();
        // The export grows in a file of its own, without a name until it is complete.
        const auto written = [&] {
            for (const QFileInfo& open : QDir(QStringLiteral("/proc/self/fd")).entryInfoList())
                if (open.symLinkTarget().startsWith(folder.path()))
                    return open.size();
            return qint64(0);
        };
        EXPECT_TRUE(waitUntil([&] { return written() > HeaderSize + 3 * 2 * FileRate; }));
        ::kill(static_cast<pid_t>(helper), signal);
    }
    EXPECT_TRUE(voice->WaitUntilDone(60000));
    stream->Close();
    return double(QFileInfo(path).size() - HeaderSize) / 2 / FileRate;
}

} // namespace

// Each word's sound is in the file once: a helper that dies, or hangs until it is replaced, costs
// less than a word's length.
TEST(HelperDeath, AnExportKeepsTheLengthOfACleanOne)
{
    const QString text = sentences(12);
    const double clean = exportedSeconds(text);
    for (const int signal : {SIGKILL, SIGSTOP}) {
        SCOPED_TRACE(signal);
        EXPECT_NEAR(exportedSeconds(text, signal), clean, OneWordSeconds);
    }
}

// The rest of a piece that waits to be spoken again is skipped sentence by sentence, like any text
// not yet heard.
TEST(HelperDeath, SkippingPastTheQueuedSoundGoesOnInTheRest)
{
    EngineUnderTest paced(true);
    auto voice = paced.engine.CreateVoice();
    voice->Speak(sentences(6), speech::Voice::SpeakAsync);
    // Seconds of sound queue up while the helper is still at work on the piece.
    for (int i = 0; i < 6; ++i) {
        QThread::msleep(100);
        QCoreApplication::processEvents();
    }
    const qint64 helper = paced.engine.synthService().helperProcessId();
    ::kill(static_cast<pid_t>(helper), SIGKILL);
    ASSERT_TRUE(waitUntil([&] { return paced.engine.synthService().helperProcessId() != helper; }));
    const double atSkip = paced.secondsHeard();
    EXPECT_EQ(voice->Skip(QStringLiteral("Sentence"), 5), 5);
    voice->WaitUntilDone(-1);
    EXPECT_NEAR(paced.secondsHeard() - atSkip, secondsOf(render(sentence(6))), OneWordSeconds);
}
