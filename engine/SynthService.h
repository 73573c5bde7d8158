// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/helper/SynthProtocol.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <span>
#include <vector>

namespace engine {

struct SynthJob {
    QString voice;
    int wordsPerMinute = 175;
    QString text;
    bool endsSentence = true;
};

// Told what becomes of a submitted job, on the thread of the service.
class SynthListener {
public:
    virtual void synthAudio(std::span<const std::int16_t> samples) = 0;
    // Offset, in the job's text, of the word whose sound comes next.
    virtual void synthWord(qsizetype offset) = 0;
    // The sound given so far ends a clause: the text before the offset is spoken.
    virtual void synthClauseEnd(qsizetype end) = 0;
    // The sound given so far ends a sentence; the next starts at the offset.
    virtual void synthSentenceEnd(qsizetype nextSentence) = 0;
    // Synthesis ended at a pause of the synthesiser's own before the end of the text: the offset
    // of the rest, and whether a sentence starts there. synthDone follows.
    virtual void synthCut(qsizetype restOffset, bool sentenceStarts) = 0;
    virtual void synthDone() = 0;
    // The helper died or stopped answering while it worked on the job.
    virtual void synthFailed() = 0;

protected:
    ~SynthListener() = default;
};

// Runs a synthesis helper and hands it one job at a time. A helper that dies, or stays silent for
// longer than the answer timeout while it works, is replaced by a new one before the next job.
class SynthService : public QObject {
    Q_OBJECT

public:
    explicit SynthService(QString helperPath, QStringList arguments = {},
                          int answerTimeoutMs = 5000);
    ~SynthService() override;

    // Blocks until the helper has answered; throws when it cannot be started.
    std::vector<synth::VoiceInfo> voices(const QString& languageTag);
    int sampleRate();

    // Starts the helper, if it has not started, without waiting for it.
    void start() { ensureStarted(); }
    // Lets an idle helper end, and what it holds with it, without waiting for it; the next job
    // starts another.
    void stopWhenIdle();
    void submit(SynthJob job, SynthListener& listener);
    // Forgets the listener's job; its listener hears nothing more of it.
    void cancel(SynthListener& listener);
    bool isBusy() const { return running_.has_value() || !queue_.empty(); }
    // False after a helper failed to start, until one starts again, and after a helper refused a
    // job, until it does one.
    bool isAvailable() const { return available_; }
    // Why the last helper ended or could not start, with the last words it wrote.
    QString lastError() const { return lastError_; }

    // Handles what the helper sends within the time given, without an event loop.
    void waitForProgress(int timeoutMs);

    qint64 helperProcessId() const;

private:
    struct Job {
        std::uint32_t id = 0;
        SynthJob job;
        SynthListener* listener = nullptr;
    };

    void ensureStarted();
    void startNext();
    void send(const synth::Message& message);
    void readReplies();
    void handle(const synth::Message& reply);
    void deliverDone();
    void helperGone();
    void keepLastWords();
    void refuse(const QString& reason);
    QString helperName() const;
    void failRunningJob();
    void checkAnswerTime();
    void waitFor(const std::function<bool()>& done, const char* what);

    QString helperPath_;
    QStringList arguments_;
    int answerTimeoutMs_;
    std::unique_ptr<QProcess> process_;
    synth::FrameReader frames_;
    int sampleRate_ = 0;
    bool helperGreeted_ = false;
    bool starting_ = false;
    bool available_ = true;
    QString lastError_;
    QByteArray lastWords_;
    std::optional<std::vector<synth::VoiceInfo>> voices_;
    std::deque<Job> queue_;
    std::optional<Job> running_;
    std::uint32_t nextId_ = 1;
    QElapsedTimer sinceAnswer_;
    QTimer watchdog_;
};

} // namespace engine
