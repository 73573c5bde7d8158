// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/OutsideProgram.h"

#include <csignal>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <unistd.h>

namespace platform {

namespace {

// A reason takes a few lines; a program that writes on and on must not fill the memory.
constexpr qsizetype MaxErrorBytes = 64 << 10;

// Set once, never cleared: the process is on its way out.
bool interrupted = false;
// The loop waiting for a program, if one is.
QEventLoop* waitingLoop = nullptr;

void keepEnd(QByteArray& kept, const QByteArray& more)
{
    kept += more;
    if (kept.size() > MaxErrorBytes)
        kept.remove(0, kept.size() - MaxErrorBytes);
}

} // namespace

ProgramRun runToEnd(const QString& program, const QStringList& arguments,
                    std::chrono::milliseconds limit)
{
    if (interrupted)
        return {ProgramEnd::Interrupted, 0, {}};
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    QByteArray errors;
    QObject::connect(&process, &QProcess::readyReadStandardError, &process,
                     [&] { keepEnd(errors, process.readAllStandardError()); });
    leadOwnProcessGroup(process);
    QEventLoop waiting;
    QObject::connect(&process, &QProcess::finished, &waiting, &QEventLoop::quit);
    QTimer limitReached;
    limitReached.setSingleShot(true);
    QObject::connect(&limitReached, &QTimer::timeout, &waiting, &QEventLoop::quit);
    process.start();
    if (!process.waitForStarted())
        return {ProgramEnd::NotStarted, 0, {}};
    limitReached.start(limit);
    if (process.state() != QProcess::NotRunning) {
        waitingLoop = &waiting;
        waiting.exec(QEventLoop::ExcludeUserInputEvents);
        waitingLoop = nullptr;
    }
    if (process.state() == QProcess::NotRunning && !interrupted) {
        keepEnd(errors, process.readAllStandardError());
        return {process.exitStatus() == QProcess::CrashExit ? ProgramEnd::Crashed
                                                            : ProgramEnd::Finished,
                process.exitCode(), QString::fromLocal8Bit(errors)};
    }
    killProcessGroup(process);
    return {interrupted ? ProgramEnd::Interrupted : ProgramEnd::Stopped, 0, {}};
}

void leadOwnProcessGroup(QProcess& process)
{
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

void killProcessGroup(QProcess& process)
{
    // A pid of 0 would name this program's own group.
    if (const auto pid = static_cast<pid_t>(process.processId()); pid > 0)
        ::kill(-pid, SIGKILL);
    process.waitForFinished();
}

void interruptOutsidePrograms()
{
    interrupted = true;
    if (waitingLoop)
        waitingLoop->quit();
}

} // namespace platform
