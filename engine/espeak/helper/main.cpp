// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/espeak/helper/EspeakSynthesizer.h"
#include "engine/helper/SynthServer.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <fcntl.h>
#include <unistd.h>

// The synthesis helper of Lectorix: espeak-ng aborts its process on some texts, so it runs here,
// apart from the window, which restarts it when it dies.
int main()
{
    std::signal(SIGPIPE, SIG_IGN);
    // A long export reads from several helpers in turn; a larger pipe keeps this one rendering
    // meanwhile. Without it, the default size only costs speed.
    fcntl(STDOUT_FILENO, F_SETPIPE_SZ, 1 << 20);
    try {
        synth::EspeakSynthesizer espeak;
        synth::SynthServer server(espeak, STDIN_FILENO, STDOUT_FILENO);
        return server.run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lectorix-synth: %s\n", error.what());
        return 1;
    }
}
