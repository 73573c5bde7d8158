#include "speech/VoiceHolder.h"

#include <gmock/gmock.h>

using namespace speech;

namespace {

class FakeVoice final : public Voice {
public:
    explicit FakeVoice(int serial)
        : serial(serial)
    {
    }

    void SetEventInterests(int value) override { interests = value; }
    int EventInterests() const override { return interests; }
    VoiceTokens GetVoices(const QString&, const QString&) override { return {}; }
    void SetVoice(const VoiceTokenPtr& token) override { voice = token; }
    VoiceTokenPtr GetVoice() const override { return voice; }
    void SetRate(int value) override { rate = value; }
    int Rate() const override { return rate; }
    void SetVolume(int value) override { volume = value; }
    int Volume() const override { return volume; }
    long Speak(const QString&, int) override { return 1; }
    int Skip(const QString&, int) override { return 0; }
    void Pause() override {}
    void Resume() override {}
    bool WaitUntilDone(int) override { return true; }
    void SetAllowAudioOutputFormatChangesOnNextSet(bool) override {}
    void SetAudioOutputStream(std::shared_ptr<FileStream>) override {}
    void SetAudioOutput(const VoiceTokenPtr&) override {}
    void SetAudioLevelHandler(AudioLevelHandler handler) override
    {
        levelHandler = std::move(handler);
    }

    int serial;
    int interests = 0;
    int rate = 0;
    int volume = 100;
    VoiceTokenPtr voice;
    AudioLevelHandler levelHandler;
};

class FakeEngine final : public SpeechEngine {
public:
    std::unique_ptr<Voice> CreateVoice() override { return std::make_unique<FakeVoice>(++made); }
    std::shared_ptr<FileStream> CreateFileStream() override { return nullptr; }

    int made = 0;
};

FakeVoice& fake(Voice& voice)
{
    return static_cast<FakeVoice&>(voice);
}

} // namespace

TEST(VoiceHolder, ConnectsANewVoiceObjectOnlyAfterARelease)
{
    FakeEngine engine;
    VoiceHolder holder(engine);
    EXPECT_FALSE(holder.IsConnected());
    holder->SetRate(3);
    holder->SetVolume(40);
    EXPECT_EQ(engine.made, 1);
    EXPECT_EQ(fake(holder.voice()).rate, 3);
    holder.Release();
    EXPECT_FALSE(holder.IsConnected());
    EXPECT_EQ(holder->Rate(), 0);
    EXPECT_EQ(fake(holder.voice()).serial, 2);
}

TEST(VoiceHolder, EveryNewVoiceObjectPassesTheHookAndReportsLevels)
{
    FakeEngine engine;
    VoiceHolder holder(engine);
    std::vector<int> levels;
    holder.SetAudioLevelHandler(
        [&](const AudioLevelEvent& event) { levels.push_back(event.level); });
    int hooked = 0;
    holder.SetConnectHook([&](Voice& voice) {
        ++hooked;
        voice.SetRate(-4);
        voice.SetEventInterests(Voice::AllEventInterests);
    });
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(holder->Rate(), -4);
        EXPECT_EQ(holder->EventInterests(), Voice::AllEventInterests);
        fake(holder.voice()).levelHandler({1, 0, round});
        holder.Release();
    }
    EXPECT_EQ(hooked, 3);
    EXPECT_THAT(levels, testing::ElementsAre(0, 1, 2));
}
