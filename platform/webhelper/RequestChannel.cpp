// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/webhelper/RequestChannel.h"

#include <cerrno>
#include <QCoreApplication>
#include <QUrl>
#include <unistd.h>

namespace platform {

namespace {

// The answers get a descriptor of their own; standard output becomes standard error.
int takeStandardOutput()
{
    const int answers = ::dup(STDOUT_FILENO);
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    return answers;
}

} // namespace

RequestChannel::RequestChannel()
    : answers_(takeStandardOutput())
    , requests_(STDIN_FILENO, QSocketNotifier::Read)
    , reader_([this] {
        answer({WebMessage::Kind::DocumentComplete, navigation_, {}});
    })
{
    QObject::connect(&requests_, &QSocketNotifier::activated, [this] { readRequests(); });
}

void RequestChannel::readRequests()
{
    char bytes[65536];
    const ssize_t count = ::read(STDIN_FILENO, bytes, sizeof bytes);
    if (count < 0 && errno == EINTR)
        return;
    if (count <= 0) {
        requests_.setEnabled(false);
        QCoreApplication::quit();
        return;
    }
    received_.append(bytes, count);
    try {
        while (const auto request = takeMessage(received_))
            handle(*request);
    } catch (const std::runtime_error&) {
        QCoreApplication::exit(1);
    }
}

void RequestChannel::handle(const WebMessage& request)
{
    switch (request.kind) {
    case WebMessage::Kind::Navigate:
        navigation_ = request.number;
        reader_.navigate(QUrl(request.text));
        break;
    case WebMessage::Kind::ReadBodyText:
        reader_.readBodyText([this, number = request.number](std::optional<QString> text) {
            if (text)
                answer({WebMessage::Kind::BodyText, number, *text});
            else
                answer({WebMessage::Kind::NoBodyText, number, {}});
        });
        break;
    case WebMessage::Kind::Stop:
        navigation_ = 0;
        reader_.stop();
        break;
    default:
        QCoreApplication::exit(1);
    }
}

void RequestChannel::answer(const WebMessage& message)
{
    const QByteArray frame = frameOf(message);
    for (qsizetype written = 0; written < frame.size();) {
        const ssize_t count =
            ::write(answers_, frame.constData() + written, frame.size() - written);
        if (count <= 0) {
            QCoreApplication::quit();
            return;
        }
        written += count;
    }
}

} // namespace platform
