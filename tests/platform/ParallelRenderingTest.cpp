#include "platform/ParallelRendering.h"

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

// The seconds of sound in the WAV file the engine renders for the text through its lanes, the
// share done that the rendering reported on the way, and why part of the text was left out.
double renderedSeconds(int lanes, const QString& text, std::vector<double>* progress = nullptr,
                       QString* failure = nullptr)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("book.wav"));
    EngineUnderTest unpaced(false);
    unpaced.engine.setSynthesisLanes(lanes);
    try {
        speech::speakIntoFile(*unpaced.engine.CreateVoice(),
                              unpaced.engine.CreateFileStream(speech::AudioFileType::Wav), path,
                              text, [&](double done) {
                                  if (progress)
                                      progress->push_back(done);
                                  return true;
                              });
    } catch (const std::runtime_error& error) {
        if (!failure)
            throw;
        *failure = QString::fromUtf8(error.what());
    }
    return (QFileInfo(path).size() - 44) / 2.0 / 16000;
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

struct MemorySink final : platform::SampleSink {
    void write(std::span<const std::int16_t> samples, int) override
    {
        sound.insert(sound.end(), samples.begin(), samples.end());
    }
    std::vector<std::int16_t> sound;
};

} // namespace

// The first part takes longest; its sound still comes first, and each part sounds as it does
// rendered alone.
TEST(ParallelRendering, PartsReachTheSinkInTheirOrderWhicheverEndsFirst)
{
    const std::vector<platform::SpeechPiece> parts = {
        {book(4), 0, true}, {QStringLiteral("One."), 0, true}, {QStringLiteral("Two."), 0, true}};
    EngineUnderTest unpaced(false);
    unpaced.engine.setSynthesisLanes(3);
    const auto sink = std::make_shared<MemorySink>();
    platform::ParallelRendering rendering(unpaced.engine, *unpaced.engine.CreateVoice(), 1, parts,
                                          sink);
    while (!rendering.advance(50)) {
    }
    std::vector<std::int16_t> expected;
    for (const platform::SpeechPiece& part : parts) {
        const std::vector<std::int16_t> alone = render(part.text);
        expected.insert(expected.end(), alone.begin(), alone.end());
    }
    EXPECT_EQ(sink->sound, expected);
    EXPECT_EQ(rendering.charactersRendered(), parts[0].text.size() + 8);
}

// A word lost or doubled at a seam would change the length by a fifth of a second or more.
TEST(ParallelRendering, PartsRenderedSideBySideJoinWithoutLosingOrDoublingAWord)
{
    const QString text = book(40);
    ASSERT_GT(text.size(), 12000);
    const double single = renderedSeconds(1, text);
    std::vector<double> progress;
    const double joined = renderedSeconds(3, text, &progress);
    EXPECT_NEAR(joined, single, 0.1);
    EXPECT_LT(std::abs(joined - single) / single, 0.005);
    ASSERT_GT(progress.size(), 3u);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_GT(progress.back(), 0.8);
    EXPECT_LE(progress.back(), 1.0);
}

TEST(ParallelRendering, EachLaneHasAHelperOfItsOwn)
{
    EngineUnderTest unpaced(false);
    unpaced.engine.setSynthesisLanes(3);
    QTemporaryDir folder;
    speech::speakIntoFile(*unpaced.engine.CreateVoice(),
                          unpaced.engine.CreateFileStream(speech::AudioFileType::Wav),
                          folder.filePath(QStringLiteral("book.wav")), book(40));
    EXPECT_EQ(helperProcesses(), 3);
}

// espeak-ng aborts on a hundred "a." in a row: the lane's helper is replaced, and its part goes
// on as one helper alone would go on.
TEST(ParallelRendering, APartThatKillsItsHelperIsRenderedAsWithOneHelper)
{
    QString killer;
    for (int i = 0; i < 100; ++i)
        killer += QStringLiteral("a.");
    const QString text = book(30, killer + u' ');
    QString failureAlone;
    QString failureSideBySide;
    const double alone = renderedSeconds(1, text, nullptr, &failureAlone);
    EXPECT_NEAR(renderedSeconds(2, text, nullptr, &failureSideBySide), alone, 0.1);
    EXPECT_TRUE(failureAlone.contains(QStringLiteral("could not speak")));
    EXPECT_EQ(failureSideBySide, failureAlone);
}
