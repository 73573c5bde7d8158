// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/WavFileStream.h"
#include "speech/VoiceHolder.h"
#include "tests/support/EngineFixture.h"

#include <climits>
#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <QThread>

using namespace testsupport;

namespace {

const QString ShortText =
    QStringLiteral("A short text of two sentences. It is heard in a few seconds.");
const QString LongText = QStringLiteral(
    "The first sentence of a longer text is here. A second sentence follows it closely. "
    "Then comes a third one, which is a little longer than the others were. The fourth "
    "sentence ends the paragraph. And a fifth sentence closes the whole text.");

} // namespace

TEST(HelperEngine, SpeakReturnsAtOnceAndTheSoundFollows)
{
    EngineUnderTest paced(true);
    auto voice = paced.engine.CreateVoice();
    voice->Speak(LongText, speech::Voice::SpeakAsync);
    EXPECT_TRUE(paced.recording->heard.empty());
    EXPECT_FALSE(voice->WaitUntilDone(0));
    ASSERT_TRUE(waitUntil([&] { return paced.secondsHeard() > 0.5; }));
    EXPECT_GT(peakOf(paced.recording->heard), 3000);
}

TEST(HelperEngine, PauseHoldsTheSoundAndResumeGoesOnFromTheSameSample)
{
    EngineUnderTest paced(true);
    auto voice = paced.engine.CreateVoice();
    voice->Speak(ShortText, speech::Voice::SpeakAsync);
    ASSERT_TRUE(waitUntil([&] { return paced.secondsHeard() > 0.3; }));
    voice->Pause();
    waitUntil([] { return false; }, 50);
    const std::size_t atPause = paced.recording->heard.size();
    waitUntil([] { return false; }, 500);
    EXPECT_EQ(paced.recording->heard.size(), atPause);
    voice->Resume();
    voice->WaitUntilDone(-1);
    // A fresh helper renders the same pieces to the same samples.
    EXPECT_EQ(paced.recording->heard, render(ShortText));
}

TEST(HelperEngine, SkipCutsTheTextBeingSpokenAndTheNextOneFollows)
{
    EngineUnderTest paced(true);
    auto voice = paced.engine.CreateVoice();
    StreamLengths lengths(*voice);
    std::vector<std::pair<long, double>> ends;
    voice->SetEndStreamHandler(
        [&](long stream) { ends.emplace_back(stream, paced.secondsHeard()); });
    const QString next = QStringLiteral("Next item.");
    voice->Speak(LongText, speech::Voice::SpeakAsync);
    voice->Speak(next, speech::Voice::SpeakAsync);
    ASSERT_TRUE(waitUntil([&] { return paced.secondsHeard() > 0.5; }));
    const double atSkip = paced.secondsHeard();
    EXPECT_GE(voice->Skip(QStringLiteral("Sentence"), INT_MAX), 1);
    voice->WaitUntilDone(-1);
    const double nextSeconds = secondsOf(render(next));
    EXPECT_NEAR(lengths.seconds(2), nextSeconds, 0.06);
    EXPECT_NEAR(paced.secondsHeard() - atSkip, nextSeconds, 0.25);
    ASSERT_TRUE(waitUntil([&] { return ends.size() == 2; }, 1000));
    EXPECT_EQ(ends[0].first, 1);
    EXPECT_LT(ends[0].second - atSkip, 0.1) << "a skipped stream ends at once";
    EXPECT_EQ(ends[1].first, 2);
    EXPECT_NEAR(ends[1].second, paced.secondsHeard(), 0.001) << "a stream ends once all is heard";
}

TEST(HelperEngine, EveryStreamEndsOnceEvenOneSkippedBeforeItWasHeard)
{
    EngineUnderTest unpaced(false);
    auto voice = unpaced.engine.CreateVoice();
    voice->SetEventInterests(speech::Voice::AllEventInterests);
    std::vector<long> ends;
    voice->SetEndStreamHandler([&](long stream) { ends.push_back(stream); });
    voice->Speak(LongText, speech::Voice::SpeakAsync);
    voice->Skip(QStringLiteral("Sentence"), INT_MAX);
    voice->Speak(QString(), speech::Voice::SpeakAsync);
    voice->Speak(QStringLiteral("Last."), speech::Voice::SpeakAsync);
    ASSERT_TRUE(waitUntil([&] { return ends.size() >= 3; }, 10000));
    waitUntil([] { return false; }, 100);
    EXPECT_EQ(ends, (std::vector<long>{1, 2, 3}));
}

TEST(HelperEngine, SkippingOneSentenceGoesOnWithTheNext)
{
    EngineUnderTest unpaced(false);
    auto voice = unpaced.engine.CreateVoice();
    voice->Speak(QStringLiteral("One two three four five six seven. Eight nine."),
                 speech::Voice::SpeakAsync);
    EXPECT_EQ(voice->Skip(QStringLiteral("sentence"), 1), 1);
    voice->WaitUntilDone(-1);
    const auto expected = render(QStringLiteral(" Eight nine."));
    EXPECT_NEAR(double(unpaced.recording->heard.size()), double(expected.size()),
                0.1 * expected.size());
    EXPECT_THROW(voice->Skip(QStringLiteral("Word"), 1), std::invalid_argument);
}

TEST(HelperEngine, ReleaseSilencesAtOnce)
{
    EngineUnderTest paced(true);
    auto voice = paced.engine.CreateVoice();
    voice->Speak(LongText, speech::Voice::SpeakAsync);
    ASSERT_TRUE(waitUntil([&] { return paced.secondsHeard() > 0.5; }));
    const double atRelease = paced.secondsHeard();
    voice.reset();
    waitUntil([] { return false; }, 500);
    EXPECT_LT(paced.secondsHeard() - atRelease, 0.25);
    EXPECT_TRUE(waitUntil([&] { return !paced.engine.synthService().isBusy(); }));
}

TEST(HelperEngine, RateTriplesOrThirdsTheDuration)
{
    const double normal = double(render(LongText, 0).size());
    EXPECT_NEAR(render(LongText, 10).size() / normal, 1.0 / 3, 0.07);
    EXPECT_NEAR(render(LongText, -10).size() / normal, 3.0, 0.45);
    const double rate5 = render(LongText, 5).size() / normal;
    EXPECT_NEAR(rate5, 1 / std::sqrt(3.0), 0.08);
}

TEST(HelperEngine, VolumeScalesTheSamplesLinearly)
{
    const auto full = render(LongText, 0, 100);
    const auto half = render(LongText, 0, 50);
    ASSERT_EQ(full.size(), half.size());
    EXPECT_NEAR(double(peakOf(half)) / peakOf(full), 0.5, 0.01);
    EXPECT_EQ(peakOf(render(LongText, 0, 0)), 0);
}

TEST(HelperEngine, RateAndVolumeReadBackTheValueInForce)
{
    EngineUnderTest unpaced(false);
    auto voice = unpaced.engine.CreateVoice();
    EXPECT_EQ(voice->Rate(), 0);
    EXPECT_EQ(voice->Volume(), 100);
    EXPECT_EQ(voice->EventInterests(), 0);
    voice->SetRate(-7);
    voice->SetVolume(35);
    EXPECT_EQ(voice->Rate(), -7);
    EXPECT_EQ(voice->Volume(), 35);
    voice->SetRate(99);
    voice->SetVolume(-5);
    EXPECT_EQ(voice->Rate(), 10);
    EXPECT_EQ(voice->Volume(), 0);
}

TEST(HelperEngine, VoicesAreListedWithTheUsersLanguageFirst)
{
    EngineUnderTest english(false, QStringLiteral("en-us"));
    const auto voices = english.engine.voices();
    ASSERT_GT(voices.size(), 20u);
    EXPECT_EQ(voices.front()->GetDescription(0), QStringLiteral("English (America)"));
    EXPECT_LT(voices[1]->GetDescription(), voices[2]->GetDescription());
    EngineUnderTest chinese(false, QStringLiteral("zh-cn"));
    EXPECT_TRUE(
        chinese.engine.voices().front()->GetDescription().contains(QStringLiteral("Mandarin")));
    auto voice = chinese.engine.CreateVoice();
    EXPECT_EQ(voice->GetVoice(), chinese.engine.voices().front());
    EXPECT_THROW(voice->GetVoices(QStringLiteral("Gender=Female"), {}), std::invalid_argument);
}

TEST(HelperEngine, TwoVoicesSoundDifferent)
{
    const QString text = QStringLiteral("Hello, this is a test.");
    const auto american = render(text, 0, 100, QStringLiteral("gmw/en-US"));
    const auto german = render(text, 0, 100, QStringLiteral("gmw/de"));
    EXPECT_FALSE(american.empty());
    EXPECT_NE(american, german);
}

TEST(HelperEngine, AudioLevelsArriveOnTheUserInterfaceThreadWhileSpeaking)
{
    EngineUnderTest paced(true);
    auto voice = paced.engine.CreateVoice();
    std::vector<int> levels;
    bool onOtherThread = false;
    voice->SetAudioLevelHandler([&](const speech::AudioLevelEvent& event) {
        onOtherThread = onOtherThread || QThread::currentThread() != qApp->thread();
        levels.push_back(event.level);
        EXPECT_EQ(event.streamNumber, 1);
    });
    voice->Speak(QStringLiteral("Nobody listens to these levels."), speech::Voice::SpeakAsync);
    voice->WaitUntilDone(-1);
    EXPECT_TRUE(levels.empty());

    voice->SetEventInterests(speech::Voice::AllEventInterests);
    const long stream = voice->Speak(ShortText, speech::Voice::SpeakAsync);
    EXPECT_EQ(stream, 2);
    levels.clear();
    voice->SetAudioLevelHandler([&](const speech::AudioLevelEvent& event) {
        onOtherThread = onOtherThread || QThread::currentThread() != qApp->thread();
        levels.push_back(event.level);
    });
    ASSERT_TRUE(waitUntil([&] { return voice->WaitUntilDone(0); }));
    const double seconds = secondsOf(render(ShortText));
    EXPECT_FALSE(onOtherThread);
    EXPECT_GE(levels.size(), static_cast<std::size_t>(seconds / 0.05 * 0.6));
    EXPECT_GE(*std::max_element(levels.begin(), levels.end()), 7);
    EXPECT_LE(*std::max_element(levels.begin(), levels.end()), 10);
    EXPECT_EQ(*std::min_element(levels.begin(), levels.end()), 0);
}

TEST(HelperEngine, EmbeddedCommandsAreReadAsText)
{
    const auto blank = render(QStringLiteral("Here we go \x20"
                                             "80S on and on."));
    EXPECT_EQ(render(QStringLiteral("Here we go \x01"
                                    "80S on and on.")),
              blank);
    EXPECT_EQ(render(QStringLiteral("Here we go <speak>80S</speak> on.")).size() > blank.size(),
              true);
}

namespace {

struct WavHeader {
    QByteArray bytes;
    quint32 u32(int at) const { return qFromLittleEndian<quint32>(bytes.constData() + at); }
    quint16 u16(int at) const { return qFromLittleEndian<quint16>(bytes.constData() + at); }
};

} // namespace

TEST(HelperEngine, SpeechRendersIntoAWavFile)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.wav"));
    QFile existing(path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write(QByteArray(500000, 'x'));
    existing.close();

    EngineUnderTest unpaced(false);
    auto voice = unpaced.engine.CreateVoice();
    auto stream = unpaced.engine.CreateFileStream(speech::AudioFileType::Wav);
    stream->SetFormatType(speech::FileStream::Format16kHz16BitMono);
    stream->Open(path, speech::FileStream::CreateForWrite, false);
    voice->SetAllowAudioOutputFormatChangesOnNextSet(false);
    voice->SetAudioOutputStream(stream);
    voice->Speak(LongText, speech::Voice::SpeakAsync);
    EXPECT_TRUE(voice->WaitUntilDone(-1));
    stream->Close();
    voice->SetAudioOutput(nullptr);
    EXPECT_TRUE(unpaced.recording->heard.empty());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const WavHeader header{file.read(44)};
    EXPECT_EQ(header.bytes.left(4), "RIFF");
    EXPECT_EQ(header.bytes.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(header.u16(20), 1);
    EXPECT_EQ(header.u16(22), 1);
    EXPECT_EQ(header.u32(24), 16000u);
    EXPECT_EQ(header.u16(34), 16);
    EXPECT_EQ(header.u32(4), file.size() - 8);
    EXPECT_EQ(header.u32(40), file.size() - 44);
    const double fileSeconds = (file.size() - 44) / 2.0 / 16000;
    const double renderedSeconds = secondsOf(render(LongText));
    EXPECT_NEAR(fileSeconds, renderedSeconds, 0.01);
}

TEST(HelperEngine, AFileThatCannotBeCreatedNamesItsPath)
{
    EngineUnderTest unpaced(false);
    auto stream = unpaced.engine.CreateFileStream(speech::AudioFileType::Wav);
    const QString path = QStringLiteral("/nonexistent-folder/out.wav");
    try {
        stream->Open(path, speech::FileStream::CreateForWrite, false);
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        const QString message = QString::fromUtf8(error.what());
        EXPECT_TRUE(message.contains(path)) << error.what();
        EXPECT_TRUE(message.contains(QStringLiteral("No such file"))) << error.what();
    }
}

TEST(HelperEngine, ALevelHandlerMayReleaseTheVoiceWhileItIsWaitedFor)
{
    EngineUnderTest paced(true);
    speech::VoiceHolder holder(paced.engine);
    holder.SetConnectHook(
        [](speech::Voice& voice) { voice.SetEventInterests(speech::Voice::AllEventInterests); });
    holder.SetAudioLevelHandler([&](const speech::AudioLevelEvent&) { holder.Release(); });
    holder->Speak(ShortText, 0);
    EXPECT_FALSE(holder.IsConnected());
    EXPECT_LT(paced.secondsHeard(), 0.3);
}

TEST(HelperEngine, SwitchingToAFileWhileSpeakingStillComesToAnEnd)
{
    QTemporaryDir folder;
    EngineUnderTest paced(true);
    auto voice = paced.engine.CreateVoice();
    voice->Speak(ShortText, speech::Voice::SpeakAsync);
    ASSERT_TRUE(waitUntil([&] { return paced.secondsHeard() > 0.2; }));
    auto stream = paced.engine.CreateFileStream(speech::AudioFileType::Wav);
    stream->Open(folder.filePath(QStringLiteral("a.wav")), speech::FileStream::CreateForWrite,
                 false);
    voice->SetAudioOutputStream(stream);
    voice->Speak(QStringLiteral("Into the file."), speech::Voice::SpeakAsync);
    EXPECT_TRUE(voice->WaitUntilDone(15000));
    stream->Close();
    EXPECT_GT(QFileInfo(folder.filePath(QStringLiteral("a.wav"))).size(), 44 + 16000);
    voice->SetAudioOutput(nullptr);
    voice->Speak(QStringLiteral("Back."), speech::Voice::SpeakAsync);
    EXPECT_TRUE(voice->WaitUntilDone(15000));
}

namespace {

// What `espeak-ng` itself makes of a text, in seconds.
double espeakNgSeconds(const QString& text, const QString& voice)
{
    QTemporaryDir folder;
    const QString textPath = folder.filePath(QStringLiteral("text.txt"));
    const QString wavPath = folder.filePath(QStringLiteral("text.wav"));
    QFile textFile(textPath);
    textFile.open(QIODevice::WriteOnly);
    textFile.write(text.toUtf8());
    textFile.close();
    QProcess::execute(QStringLiteral("espeak-ng"),
                      {QStringLiteral("-v"), voice, QStringLiteral("-w"), wavPath,
                       QStringLiteral("-f"), textPath});
    QFile wav(wavPath);
    wav.open(QIODevice::ReadOnly);
    const WavHeader header{wav.read(44)};
    return header.bytes.size() < 44 ? 0 : header.u32(40) / 2.0 / header.u32(24);
}

} // namespace

TEST(HelperEngine, HardWrappedProseSoundsAsEspeakNgMakesIt)
{
    const QString voice = QStringLiteral("gmw/en-US");
    QString prose =
        QStringLiteral("When Mr. Finch took the post of keeper at the north light, the village\n"
                       "expected him to last a month. He arrived at 5 p.m. on the Tuesday boat,\n"
                       "with the tide on the turn, and walked up the cliff path alone, i.e.\n"
                       "without asking anyone for help.\n"
                       "\n"
                       "Each entry of his log gave the time, the wind and the ships seen, e.g.\n"
                       "two trawlers heading south-west. He did not write about himself.\n\n");
    // A sentence too long for one piece, without a mark to end it.
    for (int i = 0; i < 60; ++i)
        prose += QStringLiteral("and the gulls circled over the grey water\n");
    const double ours = secondsOf(render(prose, 0, 100, voice));
    EXPECT_NEAR(ours / espeakNgSeconds(prose, voice), 1.0, 0.005);
}

// Synthesis runs far ahead of the sound; a word is reported as it is heard, in the text's order.
TEST(HelperEngine, WordsArriveAsTheyAreHeard)
{
    EngineUnderTest paced(true);
    auto voice = paced.engine.CreateVoice();
    voice->SetEventInterests(speech::Voice::AllEventInterests);
    const QString text = QStringLiteral("One two three four five six seven eight nine ten.");
    std::vector<std::pair<qsizetype, double>> heard;
    voice->SetWordHandler([&](const speech::WordEvent& event) {
        EXPECT_EQ(event.streamNumber, 1);
        heard.emplace_back(event.characterPosition, paced.secondsHeard());
    });
    voice->Speak(text, speech::Voice::SpeakAsync);
    ASSERT_TRUE(waitUntil([&] { return voice->WaitUntilDone(0); }, 20000));
    ASSERT_GE(heard.size(), 8u);
    for (std::size_t i = 0; i < heard.size(); ++i) {
        const qsizetype at = heard[i].first;
        EXPECT_TRUE(at == 0 || text[at - 1] == u' ') << at;
        if (i > 0) {
            EXPECT_GT(at, heard[i - 1].first);
        }
    }
    EXPECT_EQ(heard.front().first, 0);
    EXPECT_EQ(heard.back().first, text.indexOf(QStringLiteral("ten")));
    const double total = paced.secondsHeard();
    EXPECT_LT(heard.front().second, 0.2);
    EXPECT_GT(heard.back().second, total * 0.7) << "the last word waits for its sound";
}
