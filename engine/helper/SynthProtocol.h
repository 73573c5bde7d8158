// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Messages between the window's process and lectorix-synth. Each frame is a 32-bit little-endian
// payload length followed by the payload: one type byte, then the type's fields.
namespace synth {

enum class MessageType : std::uint8_t {
    // Requests
    ListVoices = 1,
    Synthesize = 2,
    Stop = 3,
    // Replies
    Hello = 10,
    Voices = 11,
    Audio = 12,
    Word = 13,
    Done = 14,
    Cut = 15,
    // The sound sent so far ends a sentence; the next one starts at the code-point offset.
    SentenceEnd = 16,
    // The sound sent so far ends a clause: the text before the code-point offset is spoken.
    ClauseEnd = 17,
    // The synthesiser cannot speak the text with the voice asked for, and says why; it ends the
    // synthesis as Done would.
    Refused = 18,
};

struct VoiceInfo {
    std::string identifier;
    std::string name;

    bool operator==(const VoiceInfo&) const = default;
};

// Fields not used by a type stay empty.
struct Message {
    MessageType type = MessageType::Stop;
    std::uint32_t id = 0;
    // Synthesize: words per minute; Hello: sample rate; Word: code-point offset in the text;
    // Done: whether synthesis was stopped before the end; Cut: code-point offset of the rest.
    std::uint32_t value = 0;
    // Synthesize: whether a sentence pause follows the text; Cut: whether a sentence starts there.
    bool flag = false;
    // Synthesize: voice identifier; ListVoices: the user's language tag.
    std::string voice{};
    // Synthesize: what to speak; Refused: why not.
    std::string text{};
    std::vector<std::int16_t> samples{};
    std::vector<VoiceInfo> voices{};

    bool operator==(const Message&) const = default;
};

constexpr std::uint32_t MaxFrameSize = 64u << 20;

std::string encode(const Message& message);

// Thrown for a payload that does not hold a whole, known message.
struct ProtocolError {
    const char* what;
};

Message decode(std::span<const char> payload);

// Collects bytes as they arrive and cuts them into frame payloads.
class FrameReader {
public:
    void append(std::span<const char> bytes);
    // The next whole payload; throws ProtocolError for a frame larger than MaxFrameSize.
    std::optional<std::string> next();

private:
    std::string buffer_;
    std::size_t consumed_ = 0;
};

} // namespace synth
