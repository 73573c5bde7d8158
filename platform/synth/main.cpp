#include "platform/synth/SynthServer.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <unistd.h>

// The synthesis helper of Lectorix: espeak-ng aborts its process on some texts, so it runs here,
// apart from the window, which restarts it when it dies.
int main()
{
    std::signal(SIGPIPE, SIG_IGN);
    try {
        synth::SynthServer server(STDIN_FILENO, STDOUT_FILENO);
        return server.run();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "lectorix-synth: %s\n", error.what());
        return 1;
    }
}
