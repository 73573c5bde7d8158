// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/VoiceHolder.h"

#include "tests/support/FakeSpeechEngine.h"

#include <gmock/gmock.h>

using testing::ElementsAre;
using testsupport::FakeSpeechEngine;

TEST(VoiceHolder, ConnectsANewVoiceObjectOnlyAfterARelease)
{
    FakeSpeechEngine engine;
    speech::VoiceHolder holder(engine);
    EXPECT_FALSE(holder.IsConnected());
    holder->SetRate(3);
    holder->SetVolume(40);
    EXPECT_EQ(holder->Rate(), 3);
    holder.Release();
    EXPECT_FALSE(holder.IsConnected());
    EXPECT_EQ(holder->Rate(), 0);
    EXPECT_THAT(engine.calls, ElementsAre("create", "rate 3", "volume 40", "rate?", "release",
                                          "create", "rate?"));
}

TEST(VoiceHolder, EveryNewVoiceObjectPassesTheHookAndReportsLevels)
{
    FakeSpeechEngine engine;
    speech::VoiceHolder holder(engine);
    std::vector<int> levels;
    holder.SetAudioLevelHandler(
        [&](const speech::AudioLevelEvent& event) { levels.push_back(event.level); });
    holder.SetConnectHook([](speech::Voice& voice) {
        voice.SetRate(-4);
        voice.SetEventInterests(speech::Voice::AllEventInterests);
    });
    for (int round = 0; round < 3; ++round) {
        holder.voice();
        EXPECT_THAT(engine.callsOfCurrentVoice(), ElementsAre("rate -4", "interests 33790"));
        engine.sendAudioLevel(round);
        holder.Release();
    }
    EXPECT_THAT(levels, ElementsAre(0, 1, 2));
}
