// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <QStringList>

class QProcess;

namespace platform {

// How a run of an outside program ended: Stopped at its time limit, Interrupted because this
// program is ending.
enum class ProgramEnd { Finished, NotStarted, Stopped, Crashed, Interrupted };

struct ProgramRun {
    ProgramEnd end = ProgramEnd::NotStarted;
    // The status a program that finished exited with.
    int exitCode = 0;
    // The end of what it wrote to its standard error, where programs say why they failed.
    QString standardError;
};

// Runs the program, each argument passed as it is, until it ends. The windows repaint meanwhile
// but take no input. A program still running at the time limit is stopped, with every process it
// started.
ProgramRun runToEnd(const QString& program, const QStringList& arguments,
                    std::chrono::milliseconds limit);

// Makes the process, once started, lead a group of its own, so that killProcessGroup reaches what
// it starts in turn (soffice hands the work on; Chromium runs processes of its own).
void leadOwnProcessGroup(QProcess& process);
// Kills the process with its group and waits for its end.
void killProcessGroup(QProcess& process);

// For a process that is ending: the programs runToEnd waits for are stopped at once, with every
// process they started, and none is started any more.
void interruptOutsidePrograms();

} // namespace platform
