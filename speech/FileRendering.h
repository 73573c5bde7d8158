// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/FileStream.h"
#include "speech/Voice.h"

#include <functional>
#include <memory>
#include <QString>

namespace speech {

// Told the share of the text rendered, from 0 to 1, about twenty times a second; false stops it.
using RenderingProgress = std::function<bool(double done)>;

// Speaks the text into a new file on the path through the stream, and waits until it is written:
// format type 18, open for writing, no format changes, the stream as output, speak, wait, close.
// A failure leaves the voice speaking aloud and throws; what was written before it stays readable.
// Stopped through the progress, it removes the file and throws ExportStopped; the voice is then
// not touched again, as it may have gone.
void speakIntoFile(Voice& voice, const std::shared_ptr<FileStream>& stream, const QString& path,
                   const QString& text, const RenderingProgress& progress = {});

} // namespace speech
