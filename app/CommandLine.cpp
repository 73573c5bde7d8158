#include "app/CommandLine.h"

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
    parser.addOptions({help, version, language});
    acceptQtOptions(parser);
    if (!parser.parse(arguments))
        return {{}, print(stderr, QStringLiteral("lectorix: %1\n").arg(parser.errorText()), 1)};
    if (parser.isSet(help))
        return {{},
                print(stdout,
                      parser.helpText().replace(QStringLiteral("<executable_name>"),
                                                QStringLiteral("lectorix")),
                      0)};
    if (parser.isSet(version))
        return {{}, print(stdout, QStringLiteral("lectorix %1\n").arg(LECTORIX_VERSION), 0)};
    return {parser.value(language), std::nullopt};
}
