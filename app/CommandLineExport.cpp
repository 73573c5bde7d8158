// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLineExport.h"

#include "app/GetPath.h"
#include "audio/NullPcmSink.h"
#include "documents/BookLoader.h"
#include "documents/DocumentConverters.h"
#include "documents/DocumentOpener.h"
#include "documents/EditorLoader.h"
#include "engine/HelperEngine.h"
#include "platform/FileIdentity.h"
#include "platform/OutsideProgram.h"
#include "platform/TerminationSignals.h"
#include "platform/WebBrowser.h"
#include "speech/ReadingWidgets.h"
#include "speech/WavExport.h"

#include <cstdio>
#include <QApplication>
#include <unistd.h>

namespace {

int fail(const QString& message)
{
    std::fprintf(stderr, "lectorix: %s\n", qPrintable(message));
    return 1;
}

// The share done, on one line that each step rewrites; nothing when standard error is a file.
// A termination signal stops the export, and the converter opening the document.
class TerminalProgress final : public speech::ExportFeedback {
public:
    TerminalProgress()
    {
        QObject::connect(&signals_, &platform::TerminationSignals::received, [this] {
            stopped_ = true;
            platform::interruptOutsidePrograms();
        });
    }
    ~TerminalProgress() override
    {
        if (shown_ >= 0)
            std::fputc('\n', stderr);
    }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    bool goOn(double done) override
    {
        QCoreApplication::processEvents();
        const int percent = static_cast<int>(std::clamp(done, 0.0, 1.0) * 100);
        if (terminal_ && percent != shown_) {
            std::fprintf(stderr, "\rExporting: %3d%%", percent);
            shown_ = percent;
        }
        return !stopped_;
    }
    bool stopped() const { return stopped_; }

private:
    platform::TerminationSignals signals_;
    const bool terminal_ = isatty(fileno(stderr)) != 0;
    int shown_ = -1;
    bool stopped_ = false;
};

// Without a window there is no browser to read a web page in.
class NoBrowser final : public platform::WebBrowser {
public:
    void Navigate(const QString& address) override
    {
        throw std::runtime_error(QStringLiteral("\"%1\" is a web page; open it in the window")
                                     .arg(address)
                                     .toStdString());
    }
    void setDocumentCompleteHandler(std::function<void()>) override {}
    void readBodyText(std::function<void(const QString&)>) override {}
    void Stop() override {}
    void setFailureHandler(std::function<void(const QString&)>) override {}
};

// The document's text in the editor, as the window opens it; a file of a type the window does not
// open is read as text. A stop while a converter runs ends the export.
void openDocument(const QString& path, QTextEdit& editor, const TerminalProgress& progress)
{
    documents::EditorLoader loader(editor);
    documents::BookLoader books(editor);
    QString converterMessage;
    documents::DocumentConverters converters(
        loader, {[] { return GetDataPath(); }, GetSystemPath()},
        [&](const QString& message) { converterMessage = message; });
    NoBrowser browser;
    documents::DocumentOpener opener(loader, books, converters, browser);
    if (!opener.OpenDocumentFile(path))
        loader.load(path);
    if (progress.stopped())
        throw speech::ExportStopped();
    if (!converterMessage.isEmpty())
        throw std::runtime_error(converterMessage.toStdString());
}

// By its name, with or without its family ("en-us" or "gmw/en-US"), or its description, in any
// case. A neural voice's name is its folder's, with its speaker's number after a slash or, for
// its first speaker, without ("amy" or "amy/0" for "neural/amy/0").
int voiceNamed(const QString& name, const QComboBox& voices)
{
    const auto same = [&](const QString& candidate) {
        return candidate.compare(name, Qt::CaseInsensitive) == 0;
    };
    const auto neuralNamed = [&](const QString& id) {
        const QString voice = id.section(u'/', 1);
        return id.startsWith(QStringLiteral("neural/")) &&
               (same(voice) || (id.endsWith(QStringLiteral("/0")) && same(voice.chopped(2))));
    };
    for (int i = 0; i < voices.count(); ++i) {
        const QString id = voices.itemData(i).value<speech::VoiceTokenPtr>()->Id();
        if (neuralNamed(id) || same(id) || same(voices.itemText(i)) ||
            (!id.startsWith(QStringLiteral("neural/")) && same(id.section(u'/', -1))))
            return i;
    }
    return -1;
}

int listVoices(speech::ReadingWidgets& widgets)
{
    for (int i = 0; i < widgets.voices.count(); ++i)
        std::printf("%s\t%s\n",
                    qPrintable(widgets.voices.itemData(i).value<speech::VoiceTokenPtr>()->Id()),
                    qPrintable(widgets.voices.itemText(i)));
    return 0;
}

int exportFile(const ExportRequest& request, speech::VoiceHolder& holder,
               engine::HelperEngine& engine, speech::ReadingWidgets& widgets,
               speech::ReadingControl& reading)
{
    if (!request.voice.isEmpty()) {
        const int voice = voiceNamed(request.voice, widgets.voices);
        if (voice < 0)
            return fail(QStringLiteral("there is no voice \"%1\"; --list-voices lists them")
                            .arg(request.voice));
        widgets.voices.setCurrentIndex(voice);
    }
    reading.applyRateAndVolume(request.rate.value_or(speech::ReadingControl::DefaultRate),
                               request.volume.value_or(speech::Voice::MaxVolume));
    TerminalProgress progress;
    openDocument(request.input, widgets.editor, progress);
    if (widgets.editor.toPlainText().trimmed().isEmpty())
        return fail(QStringLiteral("\"%1\" has no text to export").arg(request.input));
    speech::WavExport exporter(holder, engine, reading, widgets.editor);
    const speech::ExportOptions options{request.byChapter, request.subtitles};
    // Through whatever path, the export would read the document and then write over it.
    for (const QString& file : exporter.filesFor(request.output, options))
        if (platform::sameFile(request.input, file))
            return fail(
                QStringLiteral("\"%1\" is the document \"%2\" itself; export to another file")
                    .arg(file, request.input));
    exporter.exportText(request.output, progress, options);
    return 0;
}

} // namespace

int runWithoutWindow(int& argc, char** argv, const CommandLine& commandLine)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    try {
        engine::HelperEngine engine(engine::HelperEngine::defaultHelperPath(), [](int rate) {
            return std::make_unique<audio::NullPcmSink>(rate);
        });
        speech::VoiceHolder holder(engine);
        speech::ReadingWidgets widgets;
        speech::ReadingControl reading(holder, widgets.controls());
        reading.fillVoiceList(0);
        if (widgets.voices.count() == 0)
            return fail(QStringLiteral("the speech engine has no voices"));
        if (commandLine.listVoices)
            return listVoices(widgets);
        return exportFile(*commandLine.exportRequest, holder, engine, widgets, reading);
    } catch (const std::exception& error) {
        return fail(QString::fromUtf8(error.what()));
    }
}
