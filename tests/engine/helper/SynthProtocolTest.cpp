// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/helper/SynthProtocol.h"

#include <gtest/gtest.h>

using namespace synth;

namespace {

std::string payloadOf(const std::string& frame)
{
    return frame.substr(4);
}

} // namespace

TEST(SynthProtocol, EveryMessageSurvivesTheRoundTrip)
{
    const std::vector<Message> messages = {
        {.type = MessageType::ListVoices, .voice = "zh-cn"},
        {.type = MessageType::Synthesize,
         .id = 7,
         .value = 525,
         .flag = true,
         .voice = "gmw/en-US",
         .text = "h\xC3\xA9llo \xE4\xB8\xAD"},
        {.type = MessageType::Stop, .id = 7},
        {.type = MessageType::Hello, .value = 22050},
        {.type = MessageType::Voices,
         .voices = {{"gmw/en-US", "English (America)"}, {"sit/cmn", "C"}}},
        {.type = MessageType::Audio, .id = 3, .samples = {0, -1, 32767, -32768, 12345}},
        {.type = MessageType::Word, .id = 3, .value = 42},
        {.type = MessageType::Done, .id = 3, .value = 1},
        {.type = MessageType::Cut, .id = 3, .value = 9, .flag = true},
        {.type = MessageType::SentenceEnd, .id = 3, .value = 12},
        {.type = MessageType::ClauseEnd, .id = 3, .value = 11},
    };
    for (const Message& message : messages) {
        const std::string frame = encode(message);
        EXPECT_EQ(frame.size() - 4,
                  static_cast<std::uint8_t>(frame[0]) | (static_cast<std::uint8_t>(frame[1]) << 8));
        EXPECT_EQ(decode(payloadOf(frame)), message);
    }
}

TEST(SynthProtocol, MalformedPayloadsAreRefused)
{
    const std::string audio =
        payloadOf(encode({.type = MessageType::Audio, .id = 1, .samples = {1, 2, 3}}));
    for (std::size_t cut = 0; cut < audio.size(); ++cut)
        EXPECT_THROW(decode({audio.data(), cut}), ProtocolError) << cut;
    EXPECT_THROW(decode(audio + "x"), ProtocolError);
    EXPECT_THROW(decode(std::string(1, '\x63')), ProtocolError);
    // A count that claims more than the payload holds must not allocate it.
    const std::string huge = std::string{'\x0B'} + "\xFF\xFF\xFF\xFF";
    EXPECT_THROW(decode(huge), ProtocolError);
}

TEST(SynthProtocol, FrameReaderCutsFramesFromAnyChunking)
{
    const std::string stream = encode({.type = MessageType::Hello, .value = 1}) +
                               encode({.type = MessageType::Word, .id = 2, .value = 3}) +
                               encode({.type = MessageType::Done, .id = 2});
    FrameReader reader;
    std::vector<Message> received;
    for (char byte : stream) {
        reader.append({&byte, 1});
        while (auto payload = reader.next())
            received.push_back(decode(*payload));
    }
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[1].value, 3u);
    EXPECT_EQ(received[2].type, MessageType::Done);
}

TEST(SynthProtocol, FrameReaderRefusesOversizedFrames)
{
    FrameReader reader;
    const char header[] = {'\xFF', '\xFF', '\xFF', '\x7F'};
    reader.append(header);
    EXPECT_THROW(reader.next(), ProtocolError);
}
