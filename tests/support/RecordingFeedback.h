// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/ExportFeedback.h"

#include <functional>
#include <vector>

namespace testsupport {

// Notes each share an export tells, and goes on while `goOnWhen` says so.
struct RecordingFeedback final : speech::ExportFeedback {
    bool goOn(double done) override
    {
        shares.push_back(done);
        return goOnWhen();
    }

    std::vector<double> shares;
    std::function<bool()> goOnWhen = [] { return true; };
};

} // namespace testsupport
