// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/PcmSink.h"
#include "tests/support/WaitUntil.h"

#include <algorithm>
#include <vector>

namespace testsupport {

// Writes `count` samples of silence as the sink makes room, so a run on a desktop plays nothing
// audible.
inline void writeSilence(audio::PcmSink& sink, std::int64_t count, int rate)
{
    const std::vector<std::int16_t> silence(static_cast<std::size_t>(rate), 0);
    std::int64_t written = 0;
    waitUntil([&] {
        const std::int64_t room =
            std::min({sink.freeSamples(), count - written, std::int64_t{rate}});
        if (room > 0) {
            sink.write(std::span(silence).first(static_cast<std::size_t>(room)));
            written += room;
        }
        return written == count;
    });
}

} // namespace testsupport
