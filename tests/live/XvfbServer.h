// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

namespace testsupport {

// A virtual X server on a free display, with DISPLAY pointing at it while it runs.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return pid_ > 0; }

private:
    void stop();

    pid_t pid_ = -1;
};

} // namespace testsupport
