// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/FileRendering.h"

#include "speech/ExportFeedback.h"

#include <QScopeGuard>

namespace speech {

namespace {

constexpr int ProgressIntervalMs = 50;

} // namespace

void speakIntoFile(Voice& voice, const std::shared_ptr<FileStream>& stream, const QString& path,
                   const QString& text, const RenderingProgress& progress)
{
    stream->SetFormatType(FileStream::Format16kHz16BitMono);
    stream->Open(path, FileStream::CreateForWrite, false);
    voice.SetAllowAudioOutputFormatChangesOnNextSet(false);
    voice.SetAudioOutputStream(stream);
    auto speakAloudOnFailure = qScopeGuard([&voice] { voice.SetAudioOutput(nullptr); });
    voice.Speak(text, Voice::SpeakAsync);
    try {
        const int slice = progress ? ProgressIntervalMs : -1;
        while (!voice.WaitUntilDone(slice)) {
            const double done =
                text.isEmpty() ? 1.0 : double(voice.InputWordPosition()) / text.size();
            if (!progress(done)) {
                speakAloudOnFailure.dismiss();
                stream->Discard();
                throw ExportStopped(path);
            }
        }
    } catch (const ExportStopped&) {
        throw;
    } catch (...) {
        stream->Close();
        throw;
    }
    stream->Close();
    speakAloudOnFailure.dismiss();
}

} // namespace speech
