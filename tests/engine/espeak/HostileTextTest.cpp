// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/EngineFixture.h"

#include <climits>
#include <csignal>
#include <gtest/gtest.h>
#include <QRandomGenerator>

using namespace testsupport;

namespace {

const QString After = QStringLiteral("This is heard after the bad piece.");

struct HostileText {
    const char* name;
    QString text;
    // Texts that would take minutes to speak are cut short once they are heard.
    bool skipOnceHeard;
    // espeak-ng 1.51 aborts on these.
    bool killsHelper = false;
};

QString repeated(const QString& part, int times)
{
    QString text;
    for (int i = 0; i < times; ++i)
        text += part;
    return text;
}

QString binaryGarbage(qsizetype bytes)
{
    QByteArray data(bytes, Qt::Uninitialized);
    QRandomGenerator generator(42);
    generator.fillRange(reinterpret_cast<quint32*>(data.data()), bytes / 4);
    return QString::fromLatin1(data);
}

std::vector<HostileText> hostileTexts()
{
    return {
        {"dots", repeated(QStringLiteral("a."), 100), false, true},
        {"apostrophes", repeated(QStringLiteral("s'"), 80), false, true},
        {"embedded command", QStringLiteral("Speak \x01 80S at the same speed."), false},
        {"long word", QString(20000, u'b'), true},
        {"emoji and combining marks",
         QStringLiteral("Smile \U0001F600\U0001F469\u200D\U0001F4BB e\u0301\u0301\u0301 a\u0308."),
         false},
        {"binary garbage", binaryGarbage(10 << 20), true},
    };
}

} // namespace

TEST(HostileText, TheProcessSurvivesAndTheSpeechAfterwardsIsHeardAtItsSpeed)
{
    const double afterSeconds = secondsOf(render(After));
    for (const HostileText& hostile : hostileTexts()) {
        SCOPED_TRACE(hostile.name);
        EngineUnderTest unpaced(false);
        auto voice = unpaced.engine.CreateVoice();
        StreamLengths lengths(*voice);
        const qint64 firstHelper = unpaced.engine.synthService().helperProcessId();
        voice->Speak(hostile.text, speech::Voice::SpeakAsync);
        voice->Speak(After, speech::Voice::SpeakAsync);
        if (hostile.skipOnceHeard) {
            ASSERT_TRUE(waitUntil([&] { return unpaced.secondsHeard() > 0.5; }, 60000));
            voice->Skip(QStringLiteral("Sentence"), INT_MAX);
        }
        // A text that kills the helper even alone is left out, and waiting reports it.
        bool reported = false;
        try {
            EXPECT_TRUE(voice->WaitUntilDone(120000));
        } catch (const std::runtime_error&) {
            reported = true;
        }
        EXPECT_EQ(reported, hostile.killsHelper);
        EXPECT_NEAR(lengths.seconds(2), afterSeconds, 0.06);
        if (hostile.killsHelper) {
            EXPECT_NE(unpaced.engine.synthService().helperProcessId(), firstHelper);
        }
    }
}

// What was heard of the word the helper died in is heard again, but no more.
TEST(HostileText, AKilledHelperCostsAShortGap)
{
    QString text;
    for (int i = 1; i <= 12; ++i)
        text += QStringLiteral("Sentence number %1 of the long text goes on for a while. ").arg(i);
    const double whole = secondsOf(render(text));

    EngineUnderTest unpaced(false);
    auto voice = unpaced.engine.CreateVoice();
    voice->Speak(text, speech::Voice::SpeakAsync);
    ASSERT_TRUE(waitUntil([&] { return unpaced.secondsHeard() > 4; }));
    const qint64 helper = unpaced.engine.synthService().helperProcessId();
    ASSERT_GT(helper, 0);
    ::kill(static_cast<pid_t>(helper), SIGKILL);
    EXPECT_TRUE(voice->WaitUntilDone(60000));
    EXPECT_NE(unpaced.engine.synthService().helperProcessId(), helper);
    EXPECT_NEAR(unpaced.secondsHeard(), whole, 0.5);
}

TEST(HostileText, AHelperThatStopsAnsweringIsReplaced)
{
    EngineUnderTest unpaced(false);
    auto voice = unpaced.engine.CreateVoice();
    StreamLengths lengths(*voice);
    voice->Speak(QStringLiteral("Warm up."), 0);
    const qint64 helper = unpaced.engine.synthService().helperProcessId();
    ::kill(static_cast<pid_t>(helper), SIGSTOP);
    voice->Speak(After, speech::Voice::SpeakAsync);
    EXPECT_TRUE(voice->WaitUntilDone(30000));
    // The piece that hung is spoken again whole.
    EXPECT_NEAR(lengths.seconds(2), secondsOf(render(After)), 0.06);
    ::kill(static_cast<pid_t>(helper), SIGKILL);
}
