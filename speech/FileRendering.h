#pragma once

#include "speech/FileStream.h"
#include "speech/Voice.h"

#include <memory>
#include <QString>

namespace speech {

// Speaks the text into a new file on the path through the stream, and waits until it is written:
// format type 18, open for writing, no format changes, the stream as output, speak, wait, close.
// A failure leaves the voice speaking aloud and throws; what was written before it stays readable.
void speakIntoFile(Voice& voice, const std::shared_ptr<FileStream>& stream, const QString& path,
                   const QString& text);

} // namespace speech
