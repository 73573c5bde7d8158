// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ParallelRendering.h"

#include "engine/HelperVoice.h"
#include "speech/FileRendering.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace testsupport;

namespace {

// Numbered sentences in paragraphs that end in each way a text may end one.
QString book(int paragraphs, const QString& insert = {})
{
    const QStringList paragraphEnds = {QStringLiteral("\n\n"), QStringLiteral("\n"),
                                       QStringLiteral("\r\n\r\n"), QStringLiteral("\n  \n")};
    QString text;
    for (int p = 0; p < paragraphs; ++p) {
        if (p % 5 == 4)
            text += QStringLiteral("Chapter %1\n\n").arg(p);
        for (int s = 0; s < 6; ++s)
            text +=
                QStringLiteral("Sentence %1 of paragraph %2 tells a little more. ").arg(s).arg(p);
        if (p == paragraphs / 2)
            text += insert;
        text += p % 3 == 0 ? QStringLiteral("\"It ends here!\"") : QStringLiteral("The end.");
        text += paragraphEnds[p % paragraphEnds.size()];
    }
    return text;
}

double wavSeconds(const QString& path)
{
    return (QFileInfo(path).size() - 44) / 2.0 / 16000;
}

int helperProcesses();

struct Rendering {
    double seconds = 0;
    // The share done that the rendering reported on the way.
    std::vector<double> progress;
    // Why part of the text was left out.
    QString failure;
    int helpers = 0;
};

// The WAV file the engine renders for the text through its lanes.
Rendering renderBook(int lanes, const QString& text)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("book.wav"));
    EngineUnderTest unpaced(false);
    unpaced.engine.setSynthesisLanes(lanes);
    Rendering rendering;
    try {
        speech::speakIntoFile(*unpaced.engine.CreateVoice(),
                              unpaced.engine.CreateFileStream(speech::AudioFileType::Wav), path,
                              text, [&](double done) {
                                  rendering.progress.push_back(done);
                                  return true;
                              });
    } catch (const std::runtime_error& error) {
        rendering.failure = QString::fromUtf8(error.what());
    }
    rendering.seconds = wavSeconds(path);
    rendering.helpers = helperProcesses();
    return rendering;
}

int helperProcesses()
{
    const QString children = QStringLiteral("/proc/self/task/%1/children").arg(gettid());
    QFile file(children);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    int helpers = 0;
    for (const QByteArray& pid : file.readAll().split(' ')) {
        QFile command(QStringLiteral("/proc/%1/comm").arg(QString::fromLatin1(pid)));
        if (command.open(QIODevice::ReadOnly) && command.readAll().trimmed() == "lectorix-synth")
            ++helpers;
    }
    return helpers;
}

struct MemorySink final : audio::SampleSink {
    void write(std::span<const std::int16_t> samples, int) override
    {
        sound.insert(sound.end(), samples.begin(), samples.end());
    }
    std::vector<std::int16_t> sound;
};

// The marks of the text rendered alone by one helper, its end's last.
std::vector<speech::SoundMark> marksAlone(const QString& text)
{
    EngineUnderTest unpaced(false);
    const std::unique_ptr<engine::HelperVoice> voice = unpaced.engine.createLaneVoice(0);
    std::vector<speech::SoundMark> marks;
    voice->SetSoundMarkHandler([&](const speech::SoundMark& mark) { marks.push_back(mark); });
    voice->renderInto(std::make_shared<MemorySink>());
    voice->Speak(text, 0);
    return marks;
}

} // namespace

// The first part takes longest; its sound still comes first, and each part sounds as it does
// rendered alone. Its words are marked where their sound is in the sink.
TEST(ParallelRendering, PartsReachTheSinkInTheirOrderWhicheverEndsFirst)
{
    const QString first = book(4);
    const std::vector<engine::SpeechPiece> parts = {
        {first, 0, true},
        {QStringLiteral("One. "), first.size(), true},
        {QStringLiteral("Two."), first.size() + 5, true}};
    EngineUnderTest unpaced(false);
    unpaced.engine.setSynthesisLanes(3);
    const auto sink = std::make_shared<MemorySink>();
    std::vector<speech::SoundMark> marks;
    engine::ParallelRendering rendering(
        unpaced.engine, *unpaced.engine.CreateVoice(), 1, first + QStringLiteral("One. Two."),
        parts, sink, 0, [&](const speech::SoundMark& mark) { marks.push_back(mark); });
    while (!rendering.advance(50)) {
    }
    std::vector<std::int16_t> expected;
    std::vector<speech::SoundMark> expectedMarks;
    double partStart = 0;
    for (const engine::SpeechPiece& part : parts) {
        const std::vector<std::int16_t> alone = render(part.text);
        expected.insert(expected.end(), alone.begin(), alone.end());
        std::vector<speech::SoundMark> aloneMarks = marksAlone(part.text);
        ASSERT_GE(aloneMarks.size(), 2u);
        for (std::size_t i = 0; i + 1 < aloneMarks.size(); ++i)
            expectedMarks.push_back(
                {part.start + aloneMarks[i].characterPosition, partStart + aloneMarks[i].seconds});
        partStart += aloneMarks.back().seconds;
    }
    expectedMarks.push_back({parts.back().start + parts.back().text.size(), partStart});
    EXPECT_EQ(sink->sound, expected);
    EXPECT_EQ(rendering.charactersRendered(), parts[0].text.size() + 9);
    ASSERT_EQ(marks.size(), expectedMarks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(marks[i].characterPosition, expectedMarks[i].characterPosition) << i;
        EXPECT_NEAR(marks[i].seconds, expectedMarks[i].seconds, 1e-9) << i;
    }
}

// Each seam may shorten or lengthen a pause a little, as espeak-ng pauses differently at the end
// of a text than within it; that no word is lost or doubled, the order test shows. The lanes run
// ahead of the file as far as they may, many parts each.
TEST(ParallelRendering, PartsRenderedSideBySideJoinWithoutLosingOrDoublingAWord)
{
    const QString text = book(100);
    ASSERT_GT(text.size(), 30000);
    const Rendering single = renderBook(1, text);
    const Rendering joined = renderBook(2, text);
    EXPECT_EQ(joined.helpers, 2);
    const auto seams =
        engine::cutAtParagraphEnds(text, engine::ParallelRendering::PartLength).size() - 1;
    ASSERT_GE(seams, 6u);
    EXPECT_NEAR(joined.seconds, single.seconds, 0.2 * seams);
    EXPECT_LT(std::abs(joined.seconds - single.seconds) / single.seconds, 0.005);
    ASSERT_GT(joined.progress.size(), 3u);
    EXPECT_TRUE(std::is_sorted(joined.progress.begin(), joined.progress.end()));
    EXPECT_GT(joined.progress.back(), 0.8);
    EXPECT_LE(joined.progress.back(), 1.0);
}

// espeak-ng aborts on a hundred "a." in a row: the lane's helper is replaced, and its part goes
// on as one helper alone would go on.
TEST(ParallelRendering, APartThatKillsItsHelperIsRenderedAsWithOneHelper)
{
    QString killer;
    for (int i = 0; i < 100; ++i)
        killer += QStringLiteral("a.");
    const QString text = book(30, killer + u' ');
    const Rendering alone = renderBook(1, text);
    const Rendering sideBySide = renderBook(3, text);
    EXPECT_EQ(sideBySide.helpers, 3);
    EXPECT_NEAR(sideBySide.seconds, alone.seconds, 0.1);
    EXPECT_TRUE(alone.failure.contains(QStringLiteral("could not speak")));
    EXPECT_EQ(sideBySide.failure, alone.failure);
}

// What is written stays in the first file, and the rest of the text goes to the second.
TEST(ParallelRendering, SwitchingTheOutputSendsTheRestOfTheTextThere)
{
    const QString text = book(40);
    QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("first.wav"));
    const QString second = folder.filePath(QStringLiteral("second.wav"));
    EngineUnderTest unpaced(false);
    unpaced.engine.setSynthesisLanes(2);
    auto voice = unpaced.engine.CreateVoice();
    const auto open = [&](const QString& path) {
        auto stream = unpaced.engine.CreateFileStream(speech::AudioFileType::Wav);
        stream->Open(path, speech::FileStream::CreateForWrite, false);
        voice->SetAllowAudioOutputFormatChangesOnNextSet(false);
        voice->SetAudioOutputStream(stream);
        return stream;
    };
    auto firstStream = open(first);
    voice->Speak(text, speech::Voice::SpeakAsync);
    while (voice->InputWordPosition() < text.size() / 3)
        voice->WaitUntilDone(10);
    auto secondStream = open(second);
    voice->WaitUntilDone(-1);
    firstStream->Close();
    secondStream->Close();
    EXPECT_GT(wavSeconds(second), wavSeconds(first) / 2);
    EXPECT_NEAR(wavSeconds(first) + wavSeconds(second), renderBook(1, text).seconds, 1.0);
}
