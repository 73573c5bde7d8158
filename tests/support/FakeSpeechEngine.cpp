// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/FakeSpeechEngine.h"

#include <stdexcept>

namespace testsupport {

namespace {

class FakeToken final : public speech::VoiceToken {
public:
    explicit FakeToken(QString name)
        : name_(std::move(name))
    {
    }
    QString Id() const override { return name_; }
    QString GetDescription(int) const override { return name_; }

private:
    QString name_;
};

} // namespace

class FakeVoice final : public speech::Voice {
public:
    explicit FakeVoice(FakeSpeechEngine& engine)
        : engine_(engine)
    {
        record(QStringLiteral("create"));
    }
    ~FakeVoice() override
    {
        engine_.calls << QStringLiteral("release");
        if (engine_.current == this)
            engine_.current = nullptr;
    }

    void SetEventInterests(int interests) override
    {
        record(QStringLiteral("interests %1").arg(interests));
        interests_ = interests;
    }
    int EventInterests() const override { return interests_; }
    speech::VoiceTokens GetVoices(const QString&, const QString&) override
    {
        record(QStringLiteral("voices"));
        return engine_.tokens;
    }
    void SetVoice(const speech::VoiceTokenPtr& token) override
    {
        record(QStringLiteral("voice ") + token->Id());
        voice_ = token;
    }
    speech::VoiceTokenPtr GetVoice() const override { return voice_; }
    // Like the real engine, values outside the range are taken as the nearest end.
    void SetRate(int rate) override
    {
        record(QStringLiteral("rate %1").arg(rate));
        rate_ = std::clamp(rate, MinRate, MaxRate);
    }
    int Rate() const override
    {
        record(QStringLiteral("rate?"));
        return rate_;
    }
    void SetVolume(int volume) override
    {
        record(QStringLiteral("volume %1").arg(volume));
        volume_ = std::clamp(volume, 0, MaxVolume);
    }
    int Volume() const override
    {
        record(QStringLiteral("volume?"));
        return volume_;
    }
    long Speak(const QString& text, int flags) override
    {
        record(QStringLiteral("speak%1%2 ")
                   .arg(flags & SpeakAsync ? QString() : QStringLiteral("-sync"),
                        flags & SpeakTypedKey ? QStringLiteral("-key") : QString()) +
               text);
        return ++streams_;
    }
    int Skip(const QString& type, int count) override
    {
        record(QStringLiteral("skip %1 %2").arg(type).arg(count));
        return 0;
    }
    void Pause() override { record(QStringLiteral("pause")); }
    void Resume() override { record(QStringLiteral("resume")); }
    bool WaitUntilDone(int timeoutMs) override
    {
        record(QStringLiteral("wait %1").arg(timeoutMs));
        return true;
    }
    qsizetype InputWordPosition() const override { return 0; }
    void SetAllowAudioOutputFormatChangesOnNextSet(bool allow) override
    {
        record(QStringLiteral("allow-format-changes %1").arg(allow));
    }
    void SetAudioOutputStream(std::shared_ptr<speech::FileStream>) override
    {
        record(QStringLiteral("output-stream"));
    }
    void SetAudioOutput(const speech::VoiceTokenPtr&) override
    {
        record(QStringLiteral("output-default"));
    }
    void SetAudioLevelHandler(AudioLevelHandler handler) override
    {
        levelHandler = std::move(handler);
    }
    void SetWordHandler(WordHandler handler) override { wordHandler = std::move(handler); }
    void SetEndStreamHandler(EndStreamHandler handler) override
    {
        endStreamHandler = std::move(handler);
    }
    void SetSoundMarkHandler(SoundMarkHandler handler) override
    {
        soundMarkHandler = std::move(handler);
    }

    AudioLevelHandler levelHandler;
    SoundMarkHandler soundMarkHandler;
    WordHandler wordHandler;
    EndStreamHandler endStreamHandler;

private:
    void record(const QString& call) const
    {
        engine_.calls << call;
        const QString name = call.section(u' ', 0, 0);
        if (engine_.failing.contains(name))
            throw std::runtime_error(call.toStdString());
    }

    FakeSpeechEngine& engine_;
    int interests_ = 0;
    int rate_ = 0;
    int volume_ = 100;
    long streams_ = 0;
    speech::VoiceTokenPtr voice_;
};

FakeSpeechEngine::FakeSpeechEngine(QStringList voiceNames)
{
    for (const QString& name : voiceNames)
        tokens.push_back(std::make_shared<FakeToken>(name));
}

std::unique_ptr<speech::Voice> FakeSpeechEngine::CreateVoice()
{
    auto voice = std::make_unique<FakeVoice>(*this);
    current = voice.get();
    return voice;
}

void FakeSpeechEngine::ReloadVoices()
{
    calls << QStringLiteral("reload voices");
}

speech::VoiceTokenPtr FakeSpeechEngine::StandInFor(const speech::VoiceTokenPtr&)
{
    return tokens.front();
}

namespace {

class FakeFileStream final : public speech::FileStream {
public:
    explicit FakeFileStream(FakeSpeechEngine& engine)
        : engine_(engine)
    {
    }
    void SetFormatType(int type) override
    {
        engine_.calls << QStringLiteral("format %1").arg(type);
        type_ = type;
    }
    int FormatType() const override { return type_; }
    void SetTags(const speech::SoundTags& tags) override
    {
        engine_.calls << QStringLiteral("tags %1/%2 %3 %4")
                             .arg(tags.track)
                             .arg(tags.trackCount)
                             .arg(tags.album, tags.title);
    }
    void Open(const QString& path, int mode, bool) override
    {
        engine_.calls << QStringLiteral("open %1 %2").arg(path).arg(mode);
    }
    void Close() override { engine_.calls << QStringLiteral("close"); }
    void Discard() override { engine_.calls << QStringLiteral("discard"); }

private:
    FakeSpeechEngine& engine_;
    int type_ = 0;
};

} // namespace

std::shared_ptr<speech::FileStream> FakeSpeechEngine::CreateFileStream(speech::AudioFileType type)
{
    streamTypes.push_back(type);
    return std::make_shared<FakeFileStream>(*this);
}

void FakeSpeechEngine::sendAudioLevel(int level)
{
    if (current && current->levelHandler &&
        (current->EventInterests() & speech::Voice::AudioLevelInterest))
        current->levelHandler({1, 0, level});
}

void FakeSpeechEngine::sendWord(long stream, qsizetype position)
{
    if (current && current->wordHandler &&
        (current->EventInterests() & speech::Voice::WordBoundaryInterest))
        current->wordHandler({stream, position});
}

void FakeSpeechEngine::sendEndStream(long stream)
{
    if (current && current->endStreamHandler &&
        (current->EventInterests() & speech::Voice::EndStreamInterest))
        current->endStreamHandler(stream);
}

QStringList FakeSpeechEngine::callsOfCurrentVoice() const
{
    const qsizetype created = calls.lastIndexOf(QStringLiteral("create"));
    return created < 0 ? QStringList() : calls.mid(created + 1);
}

} // namespace testsupport
