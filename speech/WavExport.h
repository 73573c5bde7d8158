// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formats/SubtitleFile.h"
#include "speech/AudioFileType.h"
#include "speech/EditorText.h"
#include "speech/ExportFeedback.h"
#include "speech/FileRendering.h"
#include "speech/FileStream.h"
#include "speech/SpeechEngine.h"
#include "speech/VoiceHolder.h"

#include <functional>
#include <memory>
#include <optional>
#include <QString>
#include <QStringList>
#include <vector>

class QTextEdit;

namespace speech {

class ReadingControl;

// What an export writes besides one sound file.
struct ExportOptions {
    // A file for each chapter, "NN - title.ext" beside the path, and the playlist "<name>.m3u"
    // instead of the path itself.
    bool byChapter = false;
    // The sentences with their times beside each sound file, named as it is.
    std::optional<formats::SubtitleFormat> subtitles{};
};

// Renders the editor's text into sound files through the chosen voice: the whole text or its
// selection as one file of the type its name's extension gives, or a file for each of its
// chapters, or each line as a WAV file (16 kHz, 16 bit, mono) of its own named after it.
class WavExport {
public:
    WavExport(VoiceHolder& voice, SpeechEngine& engine, const ReadingControl& reading,
              QTextEdit& editor);

    // Writes nothing when no voice is chosen, the editor is empty or an export is under way. A
    // file that cannot be written throws, and so does a stop (ExportStopped); a chapter's files
    // before stay.
    void exportText(const QString& path, ExportFeedback& feedback,
                    const ExportOptions& options = {});
    // Writes "<index>.<line>.wav" for each non-empty line into the folder, telling the feedback
    // after each; returns whether the folder is to be shown (not when no voice is chosen for a
    // line). A file that cannot be written throws, and so does a stop; the files before stay.
    bool exportLines(const QString& folder, ExportFeedback& feedback);
    // The files that exportText writes for the editor's text as it is now, in their order.
    QStringList filesFor(const QString& path, const ExportOptions& options) const;
    // Those of them, besides the path itself, that exist and would be replaced.
    QStringList filesReplacedBesides(const QString& path, const ExportOptions& options) const;

private:
    struct SoundFile {
        QString path;
        QString text;
        SoundTags tags{};
        std::optional<formats::SubtitleFormat> subtitles{};
        // Where a chapter's text lies in the editor.
        EditorRange range{};
    };
    using Share = std::function<double(double)>;

    static QString playlistPath(const QString& path);
    std::vector<SoundFile> chapterFiles(const QString& path, EditorRange range,
                                        const ExportOptions& options) const;
    bool prepareVoice();
    void writeChapters(const QString& path, EditorRange range, ExportFeedback& feedback,
                       const ExportOptions& options);
    // `share` turns the file's share done into the export's. Returns how long its sound lasts.
    double writeFile(const SoundFile& file, ExportFeedback& feedback, const Share& share);
    std::shared_ptr<FileStream> fileStream(AudioFileType type);

    VoiceHolder& voice_;
    SpeechEngine& engine_;
    const ReadingControl& reading_;
    QTextEdit& editor_;
    std::shared_ptr<FileStream> SpFileStream1;
};

} // namespace speech
