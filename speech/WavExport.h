// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/AudioFileType.h"
#include "speech/ExportFeedback.h"
#include "speech/FileRendering.h"
#include "speech/FileStream.h"
#include "speech/SpeechEngine.h"
#include "speech/VoiceHolder.h"

#include <functional>
#include <memory>
#include <QString>

class QTextEdit;

namespace speech {

class ReadingControl;

// Renders the editor's text into sound files through the chosen voice: the whole text or its
// selection as one file of the type its name's extension gives, or each line as a WAV file
// (16 kHz, 16 bit, mono) of its own named after it.
class WavExport {
public:
    // The longest file name the file system takes, in bytes.
    static constexpr qsizetype MaxFileNameBytes = 255;

    WavExport(VoiceHolder& voice, SpeechEngine& engine, const ReadingControl& reading,
              QTextEdit& editor);

    // Writes nothing when no voice is chosen, the editor is empty or an export is under way. A
    // file that cannot be written throws, and so does a stop (ExportStopped).
    void exportText(const QString& path, ExportFeedback& feedback);
    // Writes "<index>.<line>.wav" for each non-empty line into the folder, telling the feedback
    // after each; returns whether the folder is to be shown (not when no voice is chosen for a
    // line). A file that cannot be written throws, and so does a stop; the files before stay.
    bool exportLines(const QString& folder, ExportFeedback& feedback);

    // The file name of a line: blanks and controls trimmed, characters no file name may hold made
    // blanks, the index in front, and shortened to what the file system takes.
    static QString lineFileName(int index, const QString& line);

private:
    bool prepareVoice();
    // `share` turns the file's share done into the export's.
    void writeFile(const QString& path, const QString& text, ExportFeedback& feedback,
                   const std::function<double(double)>& share);
    std::shared_ptr<FileStream> fileStream(AudioFileType type);

    VoiceHolder& voice_;
    SpeechEngine& engine_;
    const ReadingControl& reading_;
    QTextEdit& editor_;
    std::shared_ptr<FileStream> SpFileStream1;
};

} // namespace speech
