// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"
#include "app/CommandLineExport.h"
#include "app/LectorixApplication.h"
#include "app/MessageBoxes.h"
#include "app/RemoteCommand.h"
#include "app/TFmain.h"
#include "app/VoiceCommand.h"
#include "audio/QtPcmSink.h"
#include "engine/HelperEngine.h"
#include "platform/DisplayCheck.h"
#include "platform/Ole.h"
#include "platform/OpenFolder.h"
#include "platform/OsVersion.h"
#include "platform/TerminationSignals.h"

#include <cstdio>
#include <QLocale>
#include <QSystemTrayIcon>

namespace {

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char* argv[])
{
    const CommandLine commandLine = readCommandLine(argumentsOf(argc, argv));
    if (commandLine.exitStatus)
        return *commandLine.exitStatus;
    if (commandLine.exportRequest || commandLine.listVoices)
        return runWithoutWindow(argc, argv, commandLine);
    if (!commandLine.installVoice.isEmpty() || !commandLine.removeVoice.isEmpty())
        return runVoiceCommand(argc, argv, commandLine);
    if (!commandLine.remoteCommand.isEmpty())
        return runRemoteCommand(argc, argv, commandLine);
    if (const QString problem = platform::displayProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "lectorix: %s; start it in a desktop session or with xvfb-run.\n",
                     qPrintable(problem));
        return 1;
    }
    QtMessageBoxes messageBoxes;
    LectorixApplication application(argc, argv, messageBoxes);
    platform::CoInitialize();
    int status = 0;
    {
        engine::HelperEngine speechEngine(engine::HelperEngine::defaultHelperPath(),
                                          audio::defaultPcmSinkFactory());
        QtFileDialogs fileDialogs;
        editor::QtEditorDialogs editorDialogs;
        PlatformServices services{
            speechEngine,         messageBoxes,  &QSystemTrayIcon::isSystemTrayAvailable,
            fileDialogs,          editorDialogs, platform::osMajorVersion(),
            &platform::openFolder};
        // A kill or the end of the session closes the window as the user would, so the settings
        // are written; the handlers outlive the window, whose destruction writes them.
        platform::TerminationSignals terminationSignals;
        TFmain window(services);
        QObject::connect(&window, &TFmain::closed, &application, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        QObject::connect(&terminationSignals, &platform::TerminationSignals::received, &window,
                         [&] {
                             messageBoxes.writeToStandardError();
                             window.close();
                         });
        // Started hidden, the window is reached through its icon, so without one it is shown.
        if (!commandLine.hidden || !QSystemTrayIcon::isSystemTrayAvailable())
            window.showMaximized();
        // The desktop's language for the interface is the first it names for messages.
        const QLocale desktop(QLocale::system().uiLanguages().value(0));
        if (window.startInLanguage(commandLine.language, desktop).isEmpty() &&
            !commandLine.language.isEmpty())
            std::fprintf(stderr, "lectorix: there is no language file %s.ini\n",
                         qPrintable(commandLine.language));
        status = QApplication::exec();
    }
    platform::CoUninitialize();
    return status;
}
