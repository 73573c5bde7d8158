#pragma once

#include <chrono>
#include <QStringList>

namespace platform {

// How a run of an outside program ended.
enum class ProgramEnd { Finished, NotStarted, Stopped };

// Runs the program, each argument passed as it is, until it ends. The windows repaint meanwhile
// but take no input. A program still running at the time limit is stopped, with every process it
// started.
ProgramEnd runToEnd(const QString& program, const QStringList& arguments,
                    std::chrono::milliseconds limit);

} // namespace platform
