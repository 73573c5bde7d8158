// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/CommandLine.h"

// --install-voice and --remove-voice, without the window: status 0 once done, else 1 with the
// reason on standard error.
int runVoiceCommand(int& argc, char** argv, const CommandLine& commandLine);
