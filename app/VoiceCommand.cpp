// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/VoiceCommand.h"

#include "engine/neural/NeuralVoices.h"
#include "platform/ProgramFiles.h"
#include "voices/VoiceInstaller.h"

#include <cstdio>
#include <QCoreApplication>

int runVoiceCommand(int& argc, char** argv, const CommandLine& commandLine)
{
    const QCoreApplication application(argc, argv);
    voices::VoiceInstaller installer(engine::userNeuralVoicesFolder(),
                                     platform::ProgramFiles::ofRunningProgram().neuralHelperPath());
    try {
        if (!commandLine.installVoice.isEmpty()) {
            // A script cannot be asked, so an installed voice is only replaced once removed.
            const QString name = installer.install(commandLine.installVoice, {});
            std::printf("lectorix: installed the voice \"%s\"\n", qPrintable(name));
        } else {
            installer.remove(commandLine.removeVoice);
            std::printf("lectorix: removed the voice \"%s\"\n",
                        qPrintable(commandLine.removeVoice));
        }
        return 0;
    } catch (const voices::InstallError& error) {
        std::fprintf(stderr, "lectorix: %s\n", error.what());
        return 1;
    }
}
