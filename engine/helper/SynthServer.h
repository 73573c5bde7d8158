// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/helper/Synthesizer.h"
#include "engine/helper/SynthProtocol.h"

#include <deque>

namespace synth {

// Answers requests read from one file descriptor with replies written to another, through the
// synthesiser, until the input ends.
class SynthServer {
public:
    SynthServer(Synthesizer& synthesizer, int input, int output);

    // Returns the process exit status.
    int run();

private:
    bool readInto(bool wait);
    void handle(const Message& request);
    void synthesize(const Message& request);
    bool stopRequested(std::uint32_t id);
    void send(const Message& reply);

    Synthesizer& synthesizer_;
    int input_;
    int output_;
    bool inputEnded_ = false;
    bool outputBroken_ = false;
    FrameReader frames_;
    std::deque<Message> pending_;
};

} // namespace synth
