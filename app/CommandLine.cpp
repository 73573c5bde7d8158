// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include "speech/AudioFileType.h"

#include <cstdio>
#include <QCommandLineParser>

namespace {

// Qt's own options, which the application object takes: accepted, not shown.
void acceptQtOptions(QCommandLineParser& parser)
{
    for (const char* name :
         {"platform", "platformpluginpath", "platformtheme", "plugin", "style", "stylesheet",
          "display", "geometry", "qwindowgeometry", "qwindowtitle", "qwindowicon", "session"}) {
        QCommandLineOption option(QLatin1String(name), {}, QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option{QLatin1String(name)};
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

int print(std::FILE* stream, const QString& text, int status)
{
    std::fputs(qPrintable(text), stream);
    return status;
}

CommandLine mistake(const QString& what)
{
    return {{}, print(stderr, QStringLiteral("lectorix: %1\n").arg(what), 1), {}, false};
}

// A whole number within the track bar's scale.
std::optional<int> numberIn(const QString& text, int lowest, int highest)
{
    bool isNumber = false;
    const int value = text.toInt(&isNumber);
    if (!isNumber || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

struct ExportOptions {
    QCommandLineOption exportOption{QStringLiteral("export"),
                                    QStringLiteral("Export the text of IN into OUT without the "
                                                   "window; OUT's extension (.wav, .mp3, .opus, "
                                                   ".ogg, .flac) gives the type.")};
    QCommandLineOption voice{QStringLiteral("voice"),
                             QStringLiteral("Export with the voice NAME (see --list-voices)."),
                             QStringLiteral("NAME")};
    QCommandLineOption rate{
        QStringLiteral("rate"),
        QStringLiteral("Export at the rate N, from -10 to 10 (0 unless given)."),
        QStringLiteral("N")};
    QCommandLineOption volume{
        QStringLiteral("volume"),
        QStringLiteral("Export at the volume N, from 0 to 100 (100 unless given)."),
        QStringLiteral("N")};
    QCommandLineOption chapters{
        QStringLiteral("chapters"),
        QStringLiteral("Export a file for each chapter, \"NN - title\" with OUT's extension beside "
                       "OUT, and their playlist with OUT's name and the extension .m3u.")};
    QCommandLineOption subtitles{
        QStringLiteral("subtitles"),
        QStringLiteral("Write the sentences with their times beside each sound file, in the "
                       "FORMAT srt, vtt or lrc."),
        QStringLiteral("FORMAT")};
    QCommandLineOption listVoices{QStringLiteral("list-voices"),
                                  QStringLiteral("List the voices, one per line, and end.")};
    QCommandLineOption installVoice{
        QStringLiteral("install-voice"),
        QStringLiteral("Install the neural voice in the archive (.tar.bz2) or folder PATH."),
        QStringLiteral("PATH")};
    QCommandLineOption removeVoice{QStringLiteral("remove-voice"),
                                   QStringLiteral("Remove the neural voice NAME."),
                                   QStringLiteral("NAME")};

    void addTo(QCommandLineParser& parser) const
    {
        parser.addOptions({exportOption, voice, rate, volume, chapters, subtitles, listVoices,
                           installVoice, removeVoice});
        parser.addPositionalArgument(QStringLiteral("IN OUT"),
                                     QStringLiteral("With --export: the document and the sound "
                                                    "file."));
    }
};

CommandLine exportCommand(const QCommandLineParser& parser, const ExportOptions& options)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 2)
        return mistake(QStringLiteral("--export needs IN and OUT"));
    // A mistyped extension must not give a WAV file under a name that promises another type.
    if (!speech::namedAudioFileType(files[1]))
        return mistake(QStringLiteral(
            "OUT's extension gives the type: .wav, .mp3, .opus, .ogg, .oga or .flac"));
    ExportRequest request{files[0], files[1], parser.value(options.voice), {}, {}};
    if (parser.isSet(options.rate) &&
        !(request.rate = numberIn(parser.value(options.rate), -10, 10)))
        return mistake(QStringLiteral("--rate takes a whole number from -10 to 10"));
    if (parser.isSet(options.volume) &&
        !(request.volume = numberIn(parser.value(options.volume), 0, 100)))
        return mistake(QStringLiteral("--volume takes a whole number from 0 to 100"));
    request.byChapter = parser.isSet(options.chapters);
    if (parser.isSet(options.subtitles) &&
        !(request.subtitles = formats::subtitleFormatNamed(parser.value(options.subtitles))))
        return mistake(QStringLiteral("--subtitles takes srt, vtt or lrc"));
    return {{}, std::nullopt, request, false};
}

} // namespace

CommandLine readCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Reads text aloud."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version."));
    const QCommandLineOption language(
        QStringLiteral("language"),
        QStringLiteral("Show the texts of the language file NAME.ini once started."),
        QStringLiteral("NAME"));
    const QCommandLineOption hidden(
        QStringLiteral("hidden"),
        QStringLiteral("Start in the notification area without showing the window."));
    const std::pair<QCommandLineOption, const char*> remoteCommands[] = {
        {QCommandLineOption(QStringLiteral("read-selection"),
                            QStringLiteral("Have the running Lectorix read what is selected in any "
                                           "program, or else the clipboard; start one when none "
                                           "runs.")),
         "ReadSelection"},
        {QCommandLineOption(QStringLiteral("stop"),
                            QStringLiteral("Have the running Lectorix stop reading.")),
         "Stop"},
        {QCommandLineOption(QStringLiteral("pause"),
                            QStringLiteral("Have the running Lectorix pause or go on reading.")),
         "Pause"},
    };
    parser.addOptions({help, version, language, hidden});
    for (const auto& [option, command] : remoteCommands)
        parser.addOption(option);
    const ExportOptions exportOptions;
    exportOptions.addTo(parser);
    acceptQtOptions(parser);
    if (!parser.parse(arguments))
        return mistake(parser.errorText());
    if (parser.isSet(help))
        return {{},
                print(stdout,
                      parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                QStringLiteral("lectorix")),
                      0),
                {},
                false};
    if (parser.isSet(version))
        return {
            {}, print(stdout, QStringLiteral("lectorix %1\n").arg(LECTORIX_VERSION), 0), {}, false};
    if (parser.isSet(exportOptions.listVoices))
        return {{}, std::nullopt, {}, true};
    if (parser.isSet(exportOptions.installVoice) || parser.isSet(exportOptions.removeVoice))
        return {{},
                std::nullopt,
                {},
                false,
                parser.value(exportOptions.installVoice),
                parser.value(exportOptions.removeVoice)};
    if (parser.isSet(exportOptions.exportOption))
        return exportCommand(parser, exportOptions);
    CommandLine window{parser.value(language), std::nullopt, {}, false};
    for (const auto& [option, command] : remoteCommands)
        if (parser.isSet(option))
            window.remoteCommand = QLatin1String(command);
    window.hidden = parser.isSet(hidden);
    return window;
}
