// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/HelperEngine.h"

#include "audio/CompressedFileStream.h"
#include "audio/WavFileStream.h"
#include "engine/HelperVoice.h"
#include "platform/ProgramFiles.h"

#include <QLocale>
#include <QThread>

namespace engine {

namespace {

class HelperVoiceToken final : public speech::VoiceToken {
public:
    HelperVoiceToken(QString id, QString description)
        : id_(std::move(id))
        , description_(std::move(description))
    {
    }

    QString Id() const override { return id_; }
    QString GetDescription(int) const override { return description_; }

private:
    QString id_;
    QString description_;
};

} // namespace

HelperEngine::HelperEngine(QString helperPath, audio::PcmSinkFactory sinkFactory,
                           QString languageTag)
    : helperPath_(std::move(helperPath))
    , service_(helperPath_)
    , lanes_(std::clamp(QThread::idealThreadCount(), 1, MostLanes))
    , sinkFactory_(std::move(sinkFactory))
    , languageTag_(std::move(languageTag))
{
}

std::unique_ptr<speech::Voice> HelperEngine::CreateVoice()
{
    return std::make_unique<HelperVoice>(*this, service_, sinkFactory_);
}

void HelperEngine::setSynthesisLanes(int lanes)
{
    lanes_ = std::clamp(lanes, 1, MostLanes);
}

std::unique_ptr<HelperVoice> HelperEngine::createLaneVoice(int lane)
{
    return std::make_unique<HelperVoice>(*this, laneService(lane), sinkFactory_);
}

SynthService& HelperEngine::laneService(int lane)
{
    if (lane == 0)
        return service_;
    while (otherLanes_.size() < static_cast<std::size_t>(lane))
        otherLanes_.push_back(std::make_unique<SynthService>(helperPath_));
    return *otherLanes_[lane - 1];
}

std::shared_ptr<speech::FileStream> HelperEngine::CreateFileStream(speech::AudioFileType type)
{
    if (type == speech::AudioFileType::Wav)
        return std::make_shared<audio::WavFileStream>();
    return std::make_shared<audio::CompressedFileStream>(type);
}

const speech::VoiceTokens& HelperEngine::voices()
{
    if (!voices_) {
        speech::VoiceTokens tokens;
        for (const synth::VoiceInfo& voice : service_.voices(languageTag_))
            tokens.push_back(std::make_shared<HelperVoiceToken>(
                QString::fromStdString(voice.identifier), QString::fromStdString(voice.name)));
        voices_ = std::move(tokens);
    }
    return *voices_;
}

QString HelperEngine::defaultHelperPath()
{
    return platform::ProgramFiles::ofRunningProgram().helperPath();
}

QString HelperEngine::systemLanguageTag()
{
    const QLocale locale = QLocale::system();
    // The C locale says nothing of the user's language; English is the closest guess.
    if (locale.language() == QLocale::C)
        return QStringLiteral("en-us");
    return locale.name().toLower().replace(u'_', u'-');
}

} // namespace engine
