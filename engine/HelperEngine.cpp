// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/HelperEngine.h"

#include "audio/CompressedFileStream.h"
#include "audio/EncoderThread.h"
#include "audio/Mp3FileStream.h"
#include "audio/OpusFileStream.h"
#include "audio/WavFileStream.h"
#include "engine/HelperVoice.h"
#include "engine/HelperVoiceToken.h"
#include "platform/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QThread>

namespace engine {

namespace {

// A neural voice may take several seconds for a long sentence, and says nothing meanwhile.
constexpr int NeuralAnswerTimeoutMs = 60000;

// A lane of a neural voice holds its model twice, as read and as loaded, and the runtime besides:
// 220 MB for a voice of 76 MB, as measured by neural-bench.
constexpr qint64 LaneRuntimeBytes = 64ll << 20;

qint64 availableMemory()
{
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : meminfo.readAll().split('\n'))
        if (line.startsWith("MemAvailable:"))
            return line.mid(13).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

} // namespace

HelperEngine::HelperEngine(QString helperPath, audio::PcmSinkFactory sinkFactory,
                           QString languageTag, QString neuralVoicesFolder)
    : helperPath_(std::move(helperPath))
    , neuralHelperPath_(QFileInfo(helperPath_).dir().filePath(QStringLiteral("lectorix-neural")))
    , service_(helperPath_)
    , lanes_(std::clamp(QThread::idealThreadCount(), 1, MostLanes))
    , sinkFactory_(std::move(sinkFactory))
    , languageTag_(std::move(languageTag))
    , neuralVoicesFolder_(std::move(neuralVoicesFolder))
{
}

std::unique_ptr<speech::Voice> HelperEngine::CreateVoice()
{
    return std::make_unique<HelperVoice>(*this, 0, sinkFactory_);
}

void HelperEngine::setSynthesisLanes(int lanes)
{
    lanes_ = std::clamp(lanes, 1, MostLanes);
}

std::unique_ptr<HelperVoice> HelperEngine::createLaneVoice(int lane)
{
    return std::make_unique<HelperVoice>(*this, lane, sinkFactory_);
}

SynthService& HelperEngine::serviceFor(int lane, const speech::VoiceToken* voice)
{
    const HelperVoiceToken::Neural* neural = HelperVoiceToken::neuralOf(voice);
    if (!neural)
        return laneService(lane);
    const QString& folder = neural->folder;
    // A lane holds one neural voice's model at a time: going through the voice box must not
    // load every model it passes.
    for (const auto& [key, other] : neuralServices_)
        if (key.first == lane && key.second != folder)
            other->stopWhenIdle();
    std::unique_ptr<SynthService>& service = neuralServices_[{lane, folder}];
    if (!service)
        service = std::make_unique<SynthService>(neuralHelperPath_, QStringList{folder},
                                                 NeuralAnswerTimeoutMs);
    return *service;
}

speech::VoiceTokenPtr HelperEngine::typedKeyVoice(const speech::VoiceTokenPtr& voice)
{
    const HelperVoiceToken::Neural* neural = HelperVoiceToken::neuralOf(voice.get());
    return neural ? espeakVoiceOf(neural->espeakLanguage) : voice;
}

speech::VoiceTokenPtr HelperEngine::StandInFor(const speech::VoiceTokenPtr& gone)
{
    const HelperVoiceToken::Neural* neural = HelperVoiceToken::neuralOf(gone.get());
    return espeakVoiceOf(neural ? neural->espeakLanguage : QString());
}

speech::VoiceTokenPtr HelperEngine::espeakVoiceOf(const QString& language)
{
    const QString base = language.section(u'-', 0, 0);
    speech::VoiceTokenPtr sameBase;
    for (const speech::VoiceTokenPtr& token : voices()) {
        const auto& espeak = static_cast<const HelperVoiceToken&>(*token);
        if (espeak.isNeural())
            break;
        const QString name = espeak.helperVoice().section(u'/', -1);
        if (!language.isEmpty() && name.compare(language, Qt::CaseInsensitive) == 0)
            return token;
        if (!sameBase && !base.isEmpty() && name.compare(base, Qt::CaseInsensitive) == 0)
            sameBase = token;
    }
    return sameBase ? sameBase : voices().front();
}

int HelperEngine::synthesisLanes(const speech::VoiceToken* voice) const
{
    const HelperVoiceToken::Neural* neural = HelperVoiceToken::neuralOf(voice);
    if (!neural)
        return lanes_;
    qint64 model = 0;
    for (const QFileInfo& file : QDir(neural->folder).entryInfoList(QDir::Files))
        model += file.size();
    const qint64 available = availableMemory();
    if (available < 0)
        return lanes_;
    const auto fitting = static_cast<int>(available / (2 * model + LaneRuntimeBytes));
    return std::clamp(fitting, 1, lanes_);
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
    if (type == speech::AudioFileType::OggOpus)
        return std::make_shared<audio::EncoderThread>(std::make_unique<audio::OpusFileStream>());
    if (type == speech::AudioFileType::Mp3)
        return std::make_shared<audio::EncoderThread>(std::make_unique<audio::Mp3FileStream>());
    return std::make_shared<audio::EncoderThread>(
        std::make_unique<audio::CompressedFileStream>(type));
}

const speech::VoiceTokens& HelperEngine::voices()
{
    if (!voices_) {
        speech::VoiceTokens tokens;
        for (const synth::VoiceInfo& voice : service_.voices(languageTag_)) {
            const QString identifier = QString::fromStdString(voice.identifier);
            tokens.push_back(std::make_shared<HelperVoiceToken>(
                identifier, QString::fromStdString(voice.name), identifier));
        }
        for (speech::VoiceTokenPtr& neural : listNeuralVoices(neuralVoicesFolder_))
            tokens.push_back(std::move(neural));
        voices_ = std::move(tokens);
    }
    return *voices_;
}

void HelperEngine::ReloadVoices()
{
    if (!voices_)
        return;
    std::erase_if(*voices_, [](const speech::VoiceTokenPtr& token) {
        return HelperVoiceToken::neuralOf(token.get()) != nullptr;
    });
    for (speech::VoiceTokenPtr& neural : listNeuralVoices(neuralVoicesFolder_))
        voices_->push_back(std::move(neural));
    for (const auto& [key, service] : neuralServices_)
        service->stopWhenIdle();
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
