// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/helper/SynthServer.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

namespace synth {

SynthServer::SynthServer(Synthesizer& synthesizer, int input, int output)
    : synthesizer_(synthesizer)
    , input_(input)
    , output_(output)
{
}

int SynthServer::run()
{
    send({.type = MessageType::Hello,
          .value = static_cast<std::uint32_t>(synthesizer_.sampleRate())});
    while (!outputBroken_) {
        if (pending_.empty() && (inputEnded_ || !readInto(true)))
            return inputEnded_ ? 0 : 1;
        while (!pending_.empty() && !outputBroken_) {
            const Message request = std::move(pending_.front());
            pending_.pop_front();
            handle(request);
        }
    }
    return 1;
}

// Reads what is available (or waits for something) and queues the whole requests in it.
bool SynthServer::readInto(bool wait)
{
    pollfd ready{input_, POLLIN, 0};
    const int polled = poll(&ready, 1, wait ? -1 : 0);
    if (polled < 0)
        return errno == EINTR;
    if (polled == 0)
        return true;
    char bytes[65536];
    const ssize_t count = read(input_, bytes, sizeof bytes);
    if (count <= 0) {
        inputEnded_ = count == 0 || errno != EINTR;
        return !inputEnded_;
    }
    frames_.append({bytes, static_cast<std::size_t>(count)});
    try {
        while (auto payload = frames_.next())
            pending_.push_back(decode(*payload));
    } catch (const ProtocolError&) {
        inputEnded_ = true;
        return false;
    }
    return true;
}

void SynthServer::handle(const Message& request)
{
    switch (request.type) {
    case MessageType::ListVoices:
        send({.type = MessageType::Voices, .voices = synthesizer_.voices(request.voice)});
        break;
    case MessageType::Synthesize:
        synthesize(request);
        break;
    default:
        // A stop that arrives after its synthesis has ended has nothing to stop.
        break;
    }
}

void SynthServer::synthesize(const Message& request)
{
    Synthesizer::Output output{
        .audio =
            [&](std::span<const std::int16_t> samples) {
                send({.type = MessageType::Audio,
                      .id = request.id,
                      .samples = {samples.begin(), samples.end()}});
            },
        .word =
            [&](std::uint32_t offset) {
                send({.type = MessageType::Word, .id = request.id, .value = offset});
            },
        .shouldStop = [&] { return stopRequested(request.id); },
        .clauseEnd =
            [&](std::uint32_t end) {
                send({.type = MessageType::ClauseEnd, .id = request.id, .value = end});
            },
        .sentenceEnd =
            [&](std::uint32_t next) {
                send({.type = MessageType::SentenceEnd, .id = request.id, .value = next});
            },
        .cut =
            [&](std::uint32_t offset, bool sentence) {
                send({.type = MessageType::Cut,
                      .id = request.id,
                      .value = offset,
                      .flag = sentence});
            },
    };
    try {
        const bool completed = synthesizer_.synthesize(request, output);
        send({.type = MessageType::Done, .id = request.id, .value = completed ? 0u : 1u});
    } catch (const std::exception& error) {
        send({.type = MessageType::Refused, .id = request.id, .text = error.what()});
    }
}

// Takes what has arrived meanwhile; a stop of this synthesis ends it, the rest waits its turn.
bool SynthServer::stopRequested(std::uint32_t id)
{
    if (!inputEnded_)
        readInto(false);
    const auto stops = std::erase_if(pending_, [&](const Message& message) {
        return message.type == MessageType::Stop && message.id == id;
    });
    return stops > 0 || inputEnded_ || outputBroken_;
}

void SynthServer::send(const Message& reply)
{
    const std::string frame = encode(reply);
    std::size_t written = 0;
    while (written < frame.size() && !outputBroken_) {
        const ssize_t count = write(output_, frame.data() + written, frame.size() - written);
        if (count > 0)
            written += static_cast<std::size_t>(count);
        else if (errno != EINTR)
            outputBroken_ = true;
    }
}

} // namespace synth
