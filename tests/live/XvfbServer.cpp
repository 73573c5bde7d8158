// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/live/XvfbServer.h"

#include "live/FileDescriptor.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>

namespace testsupport {

namespace {

// The line Xvfb writes once it takes connections, or an empty text after the deadline.
std::string readDisplayNumber(int fd)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::string number;
    char c = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd readable{fd, POLLIN, 0};
        if (::poll(&readable, 1, 100) <= 0)
            continue;
        if (::read(fd, &c, 1) != 1)
            return {};
        if (c == '\n')
            return number;
        number += c;
    }
    return {};
}

} // namespace

XvfbServer::XvfbServer()
{
    int ends[2];
    if (::pipe(ends) != 0)
        return;
    const live::FileDescriptor readEnd(ends[0]);
    live::FileDescriptor writeEnd(ends[1]);
    const std::string fd = std::to_string(ends[1]);
    const char* arguments[] = {"Xvfb",    "-displayfd", fd.c_str(),   "-nolisten", "tcp",
                               "-screen", "0",          "640x480x24", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int failed = posix_spawnp(&pid_, "Xvfb", &actions, nullptr,
                                    const_cast<char* const*>(arguments), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        pid_ = -1;
        return;
    }
    writeEnd = {};
    const std::string number = readDisplayNumber(readEnd.get());
    if (number.empty())
        stop();
    else
        ::setenv("DISPLAY", (":" + number).c_str(), 1);
}

XvfbServer::~XvfbServer()
{
    stop();
}

void XvfbServer::stop()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

} // namespace testsupport
