// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/VoiceToken.h"

#include <QString>

namespace engine {

// Where the user's neural voices are installed: lectorix/voices in the user's data folder
// ($XDG_DATA_HOME, ~/.local/share by default).
QString userNeuralVoicesFolder();

// A voice for each speaker of each neural voice in the folder, by folder name. A folder that holds
// no usable voice is left out and named on standard error, once in the process.
speech::VoiceTokens listNeuralVoices(const QString& folder);

} // namespace engine
