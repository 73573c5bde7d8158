// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/webhelper/PageReader.h"
#include "platform/WebMessages.h"

#include <QByteArray>
#include <QSocketNotifier>

namespace platform {

// The helper's side of its pipes: the window's requests come on standard input and the answers
// leave on the standard output the helper had at start, which nothing else may write to; what
// the libraries print goes to standard error. The end of input, the window gone, ends the helper.
class RequestChannel {
public:
    RequestChannel();

private:
    void readRequests();
    void handle(const WebMessage& request);
    void answer(const WebMessage& message);

    int answers_;
    QByteArray received_;
    QSocketNotifier requests_;
    PageReader reader_;
    std::uint32_t navigation_ = 0;
};

} // namespace platform
