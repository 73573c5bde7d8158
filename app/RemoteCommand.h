// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/CommandLine.h"

// --read-selection, --stop and --pause: the command is passed to the running program over the
// session bus. To read, a program is started in the notification area when none runs; with none
// running there is nothing to stop or pause. Returns 0 once the command was passed on, or 1 with
// the reason on standard error.
int runRemoteCommand(int& argc, char** argv, const CommandLine& commandLine);
