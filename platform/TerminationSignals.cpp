// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/TerminationSignals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <QSocketNotifier>
#include <sys/socket.h>
#include <system_error>
#include <unistd.h>

namespace platform {

namespace {

constexpr int Handled[] = {SIGTERM, SIGHUP, SIGINT};

// The handler may only write a byte; the event loop does the rest on its own thread.
std::atomic<int> writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);
struct sigaction previousActions[std::size(Handled)];

void noteSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(writeEnd.load(), &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, sockets_) != 0)
        throw std::system_error(errno, std::generic_category(), "socketpair");
    writeEnd = sockets_[0];
    notifier_ = std::make_unique<QSocketNotifier>(sockets_[1], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::readSignals);
    struct sigaction action = {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    // A signal ignored by whoever started the program (nohup, a background job) stays ignored.
    for (std::size_t i = 0; i < std::size(Handled); ++i)
        if (sigaction(Handled[i], nullptr, &previousActions[i]) == 0 &&
            previousActions[i].sa_handler != SIG_IGN)
            sigaction(Handled[i], &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (std::size_t i = 0; i < std::size(Handled); ++i)
        sigaction(Handled[i], &previousActions[i], nullptr);
    writeEnd = -1;
    notifier_.reset();
    ::close(sockets_[0]);
    ::close(sockets_[1]);
}

// The program ends once, however many signals of different kinds come.
void TerminationSignals::readSignals()
{
    char bytes[16];
    while (::read(sockets_[1], bytes, sizeof bytes) > 0) {
    }
    if (!received_) {
        received_ = true;
        emit received();
    }
}

} // namespace platform
