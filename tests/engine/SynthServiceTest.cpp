// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/SynthService.h"

#include "engine/espeak/helper/EspeakSynthesizer.h"
#include "engine/HelperEngine.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

using namespace engine;

namespace {

struct Outcome final : SynthListener {
    void synthAudio(std::span<const std::int16_t> samples) override
    {
        samplesHeard += samples.size();
    }
    void synthWord(qsizetype offset) override { words.push_back(offset); }
    void synthClauseEnd(qsizetype end) override { clauseEnds.push_back(end); }
    void synthSentenceEnd(qsizetype nextSentence) override
    {
        sentenceStarts.push_back(nextSentence);
    }
    void synthCut(qsizetype restOffset, bool sentenceStarts) override
    {
        cuts.push_back({restOffset, sentenceStarts});
    }
    void synthDone() override { ++done; }
    void synthFailed() override { ++failed; }

    std::size_t samplesHeard = 0;
    std::vector<qsizetype> words;
    std::vector<std::pair<qsizetype, bool>> cuts;
    std::vector<qsizetype> sentenceStarts;
    std::vector<qsizetype> clauseEnds;
    int done = 0;
    int failed = 0;
};

} // namespace

TEST(SynthService, JobsOfSeveralListenersRunInTurnWithWordOffsetsInTheirText)
{
    SynthService service(HelperEngine::defaultHelperPath());
    Outcome first;
    Outcome second;
    // The emoji takes two UTF-16 units but one code point: offsets must count units.
    service.submit({QStringLiteral("gmw/en-US"), 175, QStringLiteral("\U0001F600 one two"), true},
                   first);
    service.submit({QStringLiteral("gmw/en-US"), 175, QStringLiteral("three"), true}, second);
    ASSERT_TRUE(testsupport::waitUntil([&] { return second.done == 1; }));
    EXPECT_EQ(first.done, 1);
    EXPECT_GT(first.samplesHeard, 0u);
    EXPECT_GT(second.samplesHeard, 0u);
    EXPECT_NE(std::find(first.words.begin(), first.words.end(), 3), first.words.end());
    EXPECT_NE(std::find(first.words.begin(), first.words.end(), 7), first.words.end());
    EXPECT_EQ(first.failed + second.failed, 0);
}

TEST(SynthService, ALongTextStopsAtASentenceStartOfEspeakNgsOwn)
{
    SynthService service(HelperEngine::defaultHelperPath());
    Outcome outcome;
    QString text;
    for (int i = 0; i < 30; ++i)
        text += QStringLiteral("Mr. Smith came home at 5 p.m. and sat down.\n");
    service.submit({QStringLiteral("gmw/en-US"), 175, text, false}, outcome);
    ASSERT_TRUE(testsupport::waitUntil([&] { return outcome.done == 1; }));
    ASSERT_EQ(outcome.cuts.size(), 1u);
    const auto [rest, sentenceStarts] = outcome.cuts.front();
    EXPECT_TRUE(sentenceStarts);
    EXPECT_GE(rest, qsizetype{synth::EspeakSynthesizer::SentenceCutOffset});
    EXPECT_LT(rest, text.size());
    EXPECT_TRUE(text.mid(rest).startsWith(QStringLiteral("Mr. Smith"))) << rest;
    ASSERT_FALSE(outcome.sentenceStarts.empty());
    ASSERT_FALSE(outcome.clauseEnds.empty());
    EXPECT_LT(outcome.clauseEnds.back(), rest);
    for (qsizetype start : outcome.sentenceStarts)
        EXPECT_LT(start, rest);
}

TEST(SynthService, ACancelledListenerHearsNothingMore)
{
    SynthService service(HelperEngine::defaultHelperPath());
    Outcome cancelled;
    Outcome after;
    service.submit({QStringLiteral("gmw/en-US"), 175, QString(300, u'x'), true}, cancelled);
    service.submit({QStringLiteral("gmw/en-US"), 175, QStringLiteral("queued"), true}, cancelled);
    service.cancel(cancelled);
    const std::size_t heardAtCancel = cancelled.samplesHeard;
    service.submit({QStringLiteral("gmw/en-US"), 175, QStringLiteral("next"), true}, after);
    ASSERT_TRUE(testsupport::waitUntil([&] { return after.done == 1; }));
    EXPECT_EQ(cancelled.samplesHeard, heardAtCancel);
    EXPECT_EQ(cancelled.done + cancelled.failed, 0);
}

TEST(SynthService, AHelperThatCannotEvenBeStartedFailsTheJobLater)
{
    SynthService service{QString()};
    Outcome outcome;
    service.submit({QStringLiteral("gmw/en-US"), 175, QStringLiteral("lost"), true}, outcome);
    EXPECT_EQ(outcome.failed, 0);
    EXPECT_TRUE(testsupport::waitUntil([&] { return outcome.failed == 1; }, 5000));
}

TEST(SynthService, AMissingHelperFailsJobsAndSaysWhy)
{
    const QString missing = QStringLiteral("/nonexistent/lectorix-synth");
    SynthService service(missing);
    try {
        service.voices(QStringLiteral("en-us"));
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(missing)) << error.what();
    }
    Outcome outcome;
    service.submit({QStringLiteral("gmw/en-US"), 175, QStringLiteral("lost"), true}, outcome);
    ASSERT_TRUE(testsupport::waitUntil([&] { return outcome.failed == 1; }, 5000));
    EXPECT_FALSE(service.isAvailable());
    EXPECT_FALSE(service.isBusy());
}
