// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/CommandLine.h"

// Exports or lists voices without a window or a display, through the window's own reading and
// export code; returns the exit status, 0 only when the whole file was written. Messages and, on
// a terminal, the progress go to standard error; the voice list to standard output.
int runWithoutWindow(int& argc, char** argv, const CommandLine& commandLine);
