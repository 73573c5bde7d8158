// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/WavExport.h"

#include "speech/EditorText.h"
#include "speech/ExportFeedback.h"
#include "speech/FileRendering.h"
#include "speech/ReadingControl.h"

#include <QTextEdit>

namespace speech {

namespace {

const QString WavSuffix = QStringLiteral(".wav");

QString trimmedBelow33(const QString& line)
{
    qsizetype start = 0;
    qsizetype end = line.size();
    while (start < end && line.at(start).unicode() < 33)
        ++start;
    while (end > start && line.at(end - 1).unicode() < 33)
        --end;
    return line.mid(start, end - start);
}

// Cut at a character boundary until the name and ".wav" fit; a cut text loses the blanks and
// full stops it would end in.
QString shortened(const QString& prefix, QString text)
{
    const auto fits = [&](const QString& candidate) {
        return (prefix + candidate + WavSuffix).toUtf8().size() <= WavExport::MaxFileNameBytes;
    };
    if (fits(text))
        return prefix + text;
    while (!text.isEmpty() && !fits(text))
        text.chop(text.size() >= 2 && text.back().isLowSurrogate() ? 2 : 1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'.'))
        text.chop(1);
    return prefix + text;
}

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

QString WavExport::lineFileName(int index, const QString& line)
{
    QString text = trimmedBelow33(line);
    for (const QChar forbidden : QStringLiteral("\\/:*?\"<>|"))
        text.replace(forbidden, u' ');
    return shortened(QString::number(index) + u'.', text);
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
void WavExport::writeFile(const QString& path, const QString& text, ExportFeedback& feedback,
                          const std::function<double(double)>& share)
{
    const quint64 ownVoice = voice_.Generation();
    const auto goOn = [&](double done) {
        return feedback.goOn(share(done)) && voice_.Generation() == ownVoice;
    };
    try {
        speakIntoFile(voice_.voice(), fileStream(audioFileTypeOf(path)), path, text, goOn);
    } catch (const ExportStopped&) {
        if (voice_.Generation() == ownVoice)
            voice_.Release();
        throw;
    }
}

void WavExport::exportText(const QString& path, ExportFeedback& feedback)
{
    if (voice_.IsExporting() || !prepareVoice())
        return;
    const QString text = selectionOrWholeText(editor_);
    if (text.isEmpty())
        return;
    const ExportGuard exporting(voice_);
    writeFile(path, text, feedback, [](double done) { return done; });
    voice_->SetAudioOutput(nullptr);
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
            writeFile(folder + u'/' + lineFileName(i, lines[i]) + WavSuffix,
                      trimmedBelow33(lines[i]), feedback, share);
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
