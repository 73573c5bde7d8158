// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/helper/SynthServer.h"
#include "engine/neural/helper/NeuralSynthesizer.h"
#include "engine/neural/OnnxMetadata.h"
#include "engine/neural/VoiceFolder.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fcntl.h>
#include <string>
#include <unistd.h>

// The neural synthesis helper of Lectorix: it speaks with the voice in the folder it is given. A
// damaged model can make the speech library end its process, so it runs here, apart from the
// window, which restarts it when it dies. Usage: lectorix-neural FOLDER [THREADS]
int main(int argc, char** argv)
{
    std::signal(SIGPIPE, SIG_IGN);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: lectorix-neural FOLDER [THREADS]\n");
        return 2;
    }
    fcntl(STDOUT_FILENO, F_SETPIPE_SZ, 1 << 20);
    const int threads = argc == 3 ? std::max(1, std::atoi(argv[2])) : 1;
    try {
        neural::NeuralSynthesizer voice(neural::readVoiceFolder(argv[1], LECTORIX_ESPEAK_NG_DATA),
                                        threads);
        synth::SynthServer server(voice, STDIN_FILENO, STDOUT_FILENO);
        return server.run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lectorix-neural: %s: %s\n", argv[1], error.what());
        return 1;
    }
}
