#pragma once

#include "speech/AudioFileType.h"
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

    // Writes nothing when no voice is chosen or the editor is empty. A file that cannot be
    // written throws.
    void exportText(const QString& path);
    // Writes "<index>.<line>.wav" for each non-empty line into the folder, handling pending
    // events after each; returns whether the folder is to be shown (not when no voice is chosen
    // for a line). A file that cannot be written throws; the files before it stay.
    bool exportLines(const QString& folder, const std::function<void()>& handlePendingEvents);

    // The file name of a line: blanks and controls trimmed, characters no file name may hold made
    // blanks, the index in front, and shortened to what the file system takes.
    static QString lineFileName(int index, const QString& line);

private:
    bool prepareVoice();
    void writeFile(const QString& path, const QString& text);
    std::shared_ptr<FileStream> fileStream(AudioFileType type);

    VoiceHolder& voice_;
    SpeechEngine& engine_;
    const ReadingControl& reading_;
    QTextEdit& editor_;
    std::shared_ptr<FileStream> SpFileStream1;
};

} // namespace speech
