// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/NullPcmSink.h"

#include <memory>
#include <vector>

namespace testsupport {

// What a sink was given, and which of it was heard.
struct Recording {
    int sampleRate = 0;
    int sinksMade = 0;
    // Samples heard, in order, across every sink made.
    std::vector<std::int16_t> heard;
};

// A sink that plays in real time like the null sink (or at once, when unpaced) and records what
// is heard.
class RecordingSink final : public audio::PcmSink {
public:
    RecordingSink(std::shared_ptr<Recording> recording, int sampleRate, bool paced);
    ~RecordingSink() override;

    std::int64_t freeSamples() override;
    void write(std::span<const std::int16_t> samples) override;
    std::int64_t playedSamples() override;
    void suspend() override { clock_.suspend(); }
    void resume() override { clock_.resume(); }
    void discard() override;

private:
    void record();

    std::shared_ptr<Recording> recording_;
    audio::NullPcmSink clock_;
    bool paced_;
    std::vector<std::int16_t> unheard_;
    std::int64_t written_ = 0;
    std::int64_t recorded_ = 0;
};

audio::PcmSinkFactory recordingSinkFactory(std::shared_ptr<Recording> recording, bool paced = true);

} // namespace testsupport
