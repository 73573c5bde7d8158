// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/WavExport.h"

#include "formats/Playlist.h"
#include "speech/Chapters.h"
#include "speech/EditorText.h"
#include "speech/ExportFeedback.h"
#include "speech/ExportFileNames.h"
#include "speech/FileRendering.h"
#include "speech/ReadingControl.h"
#include "speech/TimedSentences.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTextEdit>

namespace speech {

namespace {

// Marks the voice object as taken by an export while it lasts.
class ExportGuard {
public:
    explicit ExportGuard(VoiceHolder& voice)
        : voice_(voice)
    {
        voice_.SetExporting(true);
    }
    ~ExportGuard() { voice_.SetExporting(false); }
    ExportGuard(const ExportGuard&) = delete;
    ExportGuard& operator=(const ExportGuard&) = delete;

private:
    VoiceHolder& voice_;
};

} // namespace

WavExport::WavExport(VoiceHolder& voice, SpeechEngine& engine, const ReadingControl& reading,
                     QTextEdit& editor)
    : voice_(voice)
    , engine_(engine)
    , reading_(reading)
    , editor_(editor)
{
}

// Every export speaks through a new voice object with the chosen voice; failures here end the
// export silently.
bool WavExport::prepareVoice()
{
    try {
        voice_.Release();
        const VoiceTokenPtr token = reading_.selectedToken();
        if (!token)
            return false;
        voice_->SetVoice(token);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// WAV files go through the one file stream the exports share; the other types each get their own.
std::shared_ptr<FileStream> WavExport::fileStream(AudioFileType type)
{
    if (type != AudioFileType::Wav)
        return engine_.CreateFileStream(type);
    if (!SpFileStream1)
        SpFileStream1 = engine_.CreateFileStream(AudioFileType::Wav);
    return SpFileStream1;
}

// Releasing the voice object, as the Stop command and reading aloud do, stops the export too. The
// voice object is released only while it is still the export's: reading aloud goes on.
double WavExport::writeFile(const SoundFile& file, ExportFeedback& feedback, const Share& share)
{
    const quint64 ownVoice = voice_.Generation();
    const auto goOn = [&](double done) {
        return feedback.goOn(share(done)) && voice_.Generation() == ownVoice;
    };
    const auto timed = std::make_shared<TimedSentences>(file.text);
    voice_->SetSoundMarkHandler([timed](const SoundMark& mark) { timed->mark(mark); });
    const auto forgetMarks = qScopeGuard([&] {
        if (voice_.Generation() == ownVoice)
            voice_->SetSoundMarkHandler({});
    });
    const std::shared_ptr<FileStream> stream = fileStream(audioFileTypeOf(file.path));
    stream->SetTags(file.tags);
    try {
        speakIntoFile(voice_.voice(), stream, file.path, file.text, goOn);
    } catch (const ExportStopped&) {
        if (voice_.Generation() == ownVoice)
            voice_.Release();
        throw;
    }
    if (file.subtitles)
        if (const auto failure =
                formats::writeSubtitlesBeside(file.path, *file.subtitles, timed->cues()))
            throw std::runtime_error(failure->toStdString());
    return timed->seconds();
}

void WavExport::exportText(const QString& path, ExportFeedback& feedback,
                           const ExportOptions& options)
{
    if (voice_.IsExporting() || !prepareVoice())
        return;
    const EditorRange range = selectionOrWholeRange(editor_);
    const QString text = textOf(*editor_.document(), range);
    if (text.isEmpty())
        return;
    const ExportGuard exporting(voice_);
    if (options.byChapter)
        writeChapters(path, range, feedback, options);
    else
        writeFile({path, text, {}, options.subtitles}, feedback, [](double done) { return done; });
    voice_->SetAudioOutput(nullptr);
}

std::vector<WavExport::SoundFile> WavExport::chapterFiles(const QString& path, EditorRange range,
                                                          const ExportOptions& options) const
{
    const std::vector<Chapter> chapters = chaptersIn(*editor_.document(), range);
    const QFileInfo chosen(path);
    const QString book = chosen.completeBaseName();
    const int count = static_cast<int>(chapters.size());
    std::vector<SoundFile> files;
    for (int number = 1; number <= count; ++number) {
        const Chapter& chapter = chapters[static_cast<std::size_t>(number) - 1];
        const QString title = chapter.title.isEmpty() ? book : chapter.title;
        files.push_back(
            {chosen.dir().filePath(chapterFileName(number, count, title, u'.' + chosen.suffix())),
             {},
             {title, book, number, count},
             options.subtitles,
             chapter.range});
    }
    return files;
}

QString WavExport::playlistPath(const QString& path)
{
    const QFileInfo chosen(path);
    return chosen.dir().filePath(chosen.completeBaseName() + QStringLiteral(".m3u"));
}

QStringList WavExport::filesFor(const QString& path, const ExportOptions& options) const
{
    std::vector<SoundFile> files{{path, {}, {}, options.subtitles}};
    if (options.byChapter)
        files = chapterFiles(path, selectionOrWholeRange(editor_), options);
    QStringList paths;
    for (const SoundFile& file : files) {
        paths << file.path;
        if (file.subtitles)
            paths << formats::subtitlePathBeside(file.path, *file.subtitles);
    }
    if (options.byChapter)
        paths << playlistPath(path);
    return paths;
}

QStringList WavExport::filesReplacedBesides(const QString& path, const ExportOptions& options) const
{
    QStringList replaced = filesFor(path, options);
    replaced.removeAll(path);
    replaced.removeIf([](const QString& file) { return !QFileInfo::exists(file); });
    return replaced;
}

// Each chapter's share of the export is its share of the text. A chapter that cannot be written
// whole leaves the others to be written, and is told of once they are.
void WavExport::writeChapters(const QString& path, EditorRange range, ExportFeedback& feedback,
                              const ExportOptions& options)
{
    const double length = std::max(range.to - range.from, 1);
    std::vector<formats::PlaylistEntry> playlist;
    std::optional<std::runtime_error> failure;
    for (SoundFile& file : chapterFiles(path, range, options)) {
        file.text = textOf(*editor_.document(), file.range);
        const auto share = [&](double done) {
            return (file.range.from - range.from + done * (file.range.to - file.range.from)) /
                   length;
        };
        try {
            const double seconds = writeFile(file, feedback, share);
            playlist.push_back({QFileInfo(file.path).fileName(), file.tags.title, seconds});
        } catch (const ExportStopped&) {
            throw;
        } catch (const std::runtime_error& error) {
            failure = failure.value_or(error);
        }
    }
    if (const auto unwritten = formats::writePlaylist(playlistPath(path), playlist))
        throw std::runtime_error(unwritten->toStdString());
    if (failure)
        throw *failure;
}

bool WavExport::exportLines(const QString& folder, ExportFeedback& feedback)
{
    if (voice_.IsExporting())
        return false;
    QStringList lines = editor_.toPlainText().split(u'\n');
    if (lines.last().isEmpty())
        lines.removeLast();
    const ExportGuard exporting(voice_);
    for (int i = 0; i < lines.size(); ++i) {
        if (!prepareVoice())
            return false;
        const auto share = [&](double done) { return (i + done) / lines.size(); };
        const quint64 ownVoice = voice_.Generation();
        if (!lines[i].isEmpty())
            writeFile({folder + u'/' + lineFileName(i, lines[i]) + QStringLiteral(".wav"),
                       trimmedBelow33(lines[i])},
                      feedback, share);
        if (!feedback.goOn(share(1))) {
            // Not left speaking into the closed file.
            voice_.Release();
            throw ExportStopped();
        }
        if (voice_.Generation() != ownVoice)
            throw ExportStopped();
    }
    voice_->SetAudioOutput(nullptr);
    return true;
}

} // namespace speech
