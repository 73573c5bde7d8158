// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/SynthService.h"

#include "engine/SpeechText.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <stdexcept>

namespace engine {

namespace {

constexpr int StartTimeoutMs = 10000;
constexpr int WatchdogIntervalMs = 250;
constexpr qsizetype MostLastWords = 400;

qsizetype utf16Offset(const QString& text, std::uint32_t codePoints)
{
    qsizetype offset = 0;
    for (std::uint32_t i = 0; i < codePoints && offset < text.size(); ++i) {
        const bool pair = text.at(offset).isHighSurrogate() && offset + 1 < text.size() &&
                          text.at(offset + 1).isLowSurrogate();
        offset += pair ? 2 : 1;
    }
    return offset;
}

} // namespace

SynthService::SynthService(QString helperPath, QStringList arguments, int answerTimeoutMs)
    : helperPath_(std::move(helperPath))
    , arguments_(std::move(arguments))
    , answerTimeoutMs_(answerTimeoutMs)
{
    watchdog_.setInterval(WatchdogIntervalMs);
    connect(&watchdog_, &QTimer::timeout, this, &SynthService::checkAnswerTime);
}

SynthService::~SynthService()
{
    if (!process_)
        return;
    process_->disconnect(this);
    process_->closeWriteChannel();
    if (!process_->waitForFinished(1000))
        process_->kill();
    process_->waitForFinished(1000);
}

void SynthService::stopWhenIdle()
{
    if (!process_ || isBusy())
        return;
    QProcess* ending = process_.release();
    ending->disconnect(this);
    ending->setParent(this);
    connect(ending, &QProcess::finished, ending, &QObject::deleteLater);
    ending->closeWriteChannel();
}

void SynthService::ensureStarted()
{
    if (process_)
        return;
    process_ = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // glibc reports a fatal error on the terminal unless told to use standard error.
    environment.insert(QStringLiteral("LIBC_FATAL_STDERR_"), QStringLiteral("1"));
    process_->setProcessEnvironment(environment);
    connect(process_.get(), &QProcess::readyReadStandardOutput, this, &SynthService::readReplies);
    connect(process_.get(), &QProcess::readyReadStandardError, this, &SynthService::keepLastWords);
    connect(process_.get(), &QProcess::finished, this, &SynthService::helperGone);
    connect(process_.get(), &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            helperGone();
    });
    frames_ = {};
    lastWords_.clear();
    helperGreeted_ = false;
    starting_ = true;
    process_->start(helperPath_, arguments_);
    starting_ = false;
}

std::vector<synth::VoiceInfo> SynthService::voices(const QString& languageTag)
{
    if (!voices_) {
        ensureStarted();
        send({.type = synth::MessageType::ListVoices, .voice = languageTag.toStdString()});
        waitFor([this] { return voices_.has_value(); }, "list its voices");
    }
    return *voices_;
}

int SynthService::sampleRate()
{
    if (sampleRate_ == 0) {
        ensureStarted();
        waitFor([this] { return sampleRate_ != 0; }, "start");
    }
    return sampleRate_;
}

void SynthService::waitFor(const std::function<bool()>& done, const char* what)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!done()) {
        const auto left = StartTimeoutMs - elapsed.elapsed();
        if (!process_ || left <= 0 || !process_->waitForReadyRead(static_cast<int>(left))) {
            if (done())
                return;
            const QString reason = process_ ? process_->errorString() : lastError_;
            throw std::runtime_error(QStringLiteral("The speech engine %1 did not %2: %3")
                                         .arg(helperPath_, QString::fromLatin1(what), reason)
                                         .toStdString());
        }
    }
}

void SynthService::submit(SynthJob job, SynthListener& listener)
{
    job.text = cleanForSynthesis(job.text);
    queue_.push_back({nextId_++, std::move(job), &listener});
    startNext();
}

void SynthService::cancel(SynthListener& listener)
{
    std::erase_if(queue_, [&](const Job& job) { return job.listener == &listener; });
    if (running_ && running_->listener == &listener) {
        running_->listener = nullptr;
        send({.type = synth::MessageType::Stop, .id = running_->id});
    }
}

void SynthService::startNext()
{
    if (running_ || queue_.empty())
        return;
    ensureStarted();
    running_ = std::move(queue_.front());
    queue_.pop_front();
    const SynthJob& job = running_->job;
    send({.type = synth::MessageType::Synthesize,
          .id = running_->id,
          .value = static_cast<std::uint32_t>(job.wordsPerMinute),
          .flag = job.endsSentence,
          .voice = job.voice.toStdString(),
          .text = job.text.toStdString()});
    sinceAnswer_.start();
    watchdog_.start();
}

void SynthService::send(const synth::Message& message)
{
    if (!process_)
        return;
    const std::string frame = synth::encode(message);
    process_->write(frame.data(), static_cast<qint64>(frame.size()));
}

void SynthService::readReplies()
{
    if (!process_)
        return;
    const QByteArray bytes = process_->readAllStandardOutput();
    frames_.append({bytes.constData(), static_cast<std::size_t>(bytes.size())});
    try {
        while (process_) {
            const auto payload = frames_.next();
            if (!payload)
                break;
            sinceAnswer_.start();
            handle(synth::decode(*payload));
        }
    } catch (const synth::ProtocolError&) {
        process_->kill();
    }
}

void SynthService::handle(const synth::Message& reply)
{
    using synth::MessageType;
    if (reply.type == MessageType::Hello) {
        sampleRate_ = static_cast<int>(reply.value);
        helperGreeted_ = true;
        available_ = true;
        return;
    }
    if (reply.type == MessageType::Voices) {
        voices_ = reply.voices;
        return;
    }
    if (!running_ || running_->id != reply.id)
        return;
    if (reply.type == MessageType::Done) {
        available_ = true;
        deliverDone();
        return;
    }
    if (reply.type == MessageType::Refused) {
        refuse(QString::fromStdString(reply.text));
        return;
    }
    SynthListener* listener = running_->listener;
    if (!listener)
        return;
    if (reply.type == MessageType::Audio)
        listener->synthAudio(reply.samples);
    else if (reply.type == MessageType::Word)
        listener->synthWord(utf16Offset(running_->job.text, reply.value));
    else if (reply.type == MessageType::ClauseEnd)
        listener->synthClauseEnd(utf16Offset(running_->job.text, reply.value));
    else if (reply.type == MessageType::SentenceEnd)
        listener->synthSentenceEnd(utf16Offset(running_->job.text, reply.value));
    else if (reply.type == MessageType::Cut)
        listener->synthCut(utf16Offset(running_->job.text, reply.value), reply.flag);
}

void SynthService::deliverDone()
{
    SynthListener* listener = running_->listener;
    running_.reset();
    watchdog_.stop();
    if (listener)
        listener->synthDone();
    startNext();
}

// A helper that dies before it has greeted could not start at all: its jobs fail, and so would
// any other, until a helper starts again.
void SynthService::helperGone()
{
    if (!process_)
        return;
    keepLastWords();
    const QString said = QString::fromUtf8(lastWords_).trimmed();
    lastError_ = process_->error() == QProcess::FailedToStart
                     ? process_->errorString()
                     : QStringLiteral("%1 ended unexpectedly").arg(helperName());
    if (!said.isEmpty())
        lastError_ += QStringLiteral(": ") + said.section(u'\n', -1);
    available_ = helperGreeted_;
    process_->disconnect(this);
    process_.release()->deleteLater();
    // A start that fails at once leaves its job to the watchdog rather than starting again here.
    if (!starting_)
        failRunningJob();
}

// A helper that cannot speak with the voice asked for would not speak with it on a second try
// either: its jobs fail as a helper's that cannot start, until one is done.
void SynthService::refuse(const QString& reason)
{
    lastError_ = QStringLiteral("%1 could not speak: %2").arg(helperName(), reason);
    available_ = false;
    failRunningJob();
}

QString SynthService::helperName() const
{
    return QFileInfo(helperPath_).fileName();
}

// Only the end is kept: a helper may write much before the words that say why it ended.
void SynthService::keepLastWords()
{
    if (!process_)
        return;
    lastWords_ += process_->readAllStandardError();
    if (lastWords_.size() > MostLastWords)
        lastWords_ = lastWords_.right(MostLastWords);
}

void SynthService::failRunningJob()
{
    watchdog_.stop();
    if (running_) {
        SynthListener* listener = running_->listener;
        running_.reset();
        if (listener)
            listener->synthFailed();
    }
    startNext();
}

// Runs from the watchdog, so a job whose helper never started fails outside the call that
// submitted it.
void SynthService::checkAnswerTime()
{
    if (!running_)
        return;
    if (!process_) {
        failRunningJob();
    } else if (sinceAnswer_.elapsed() > answerTimeoutMs_) {
        process_->kill();
        process_->waitForFinished(1000);
    }
}

void SynthService::waitForProgress(int timeoutMs)
{
    if (!running_)
        return;
    if (process_)
        process_->waitForReadyRead(timeoutMs);
    checkAnswerTime();
}

qint64 SynthService::helperProcessId() const
{
    return process_ ? process_->processId() : 0;
}

} // namespace engine
