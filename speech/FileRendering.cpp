#include "speech/FileRendering.h"

#include <QScopeGuard>

namespace speech {

void speakIntoFile(Voice& voice, const std::shared_ptr<FileStream>& stream, const QString& path,
                   const QString& text)
{
    stream->SetFormatType(FileStream::Format16kHz16BitMono);
    stream->Open(path, FileStream::CreateForWrite, false);
    voice.SetAllowAudioOutputFormatChangesOnNextSet(false);
    voice.SetAudioOutputStream(stream);
    auto speakAloudOnFailure = qScopeGuard([&voice] { voice.SetAudioOutput(nullptr); });
    voice.Speak(text, Voice::SpeakAsync);
    try {
        voice.WaitUntilDone(-1);
    } catch (...) {
        stream->Close();
        throw;
    }
    stream->Close();
    speakAloudOnFailure.dismiss();
}

} // namespace speech
