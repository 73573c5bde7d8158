#include "platform/OutsideProgram.h"

#include <csignal>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <unistd.h>

namespace platform {

ProgramEnd runToEnd(const QString& program, const QStringList& arguments,
                    std::chrono::milliseconds limit)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    // A group of its own, so stopping it reaches what it started (soffice hands the work on).
    process.setChildProcessModifier([] { setpgid(0, 0); });
    QEventLoop waiting;
    QObject::connect(&process, &QProcess::finished, &waiting, &QEventLoop::quit);
    QTimer limitReached;
    limitReached.setSingleShot(true);
    QObject::connect(&limitReached, &QTimer::timeout, &waiting, &QEventLoop::quit);
    process.start();
    if (!process.waitForStarted())
        return ProgramEnd::NotStarted;
    limitReached.start(limit);
    if (process.state() != QProcess::NotRunning)
        waiting.exec(QEventLoop::ExcludeUserInputEvents);
    if (process.state() == QProcess::NotRunning)
        return ProgramEnd::Finished;
    // A pid of 0 would name this program's own group.
    if (const auto pid = static_cast<pid_t>(process.processId()); pid > 0)
        ::kill(-pid, SIGKILL);
    process.waitForFinished();
    return ProgramEnd::Stopped;
}

} // namespace platform
