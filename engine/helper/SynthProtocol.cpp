// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/helper/SynthProtocol.h"

#include <cstring>

namespace synth {

namespace {

class Writer {
public:
    void u8(std::uint8_t value) { bytes_.push_back(static_cast<char>(value)); }
    void u32(std::uint32_t value)
    {
        for (int shift = 0; shift < 32; shift += 8)
            u8(static_cast<std::uint8_t>(value >> shift));
    }
    void string(const std::string& value)
    {
        u32(static_cast<std::uint32_t>(value.size()));
        bytes_ += value;
    }
    void samples(const std::vector<std::int16_t>& values)
    {
        u32(static_cast<std::uint32_t>(values.size()));
        // Sized once: a long export sends some fifty megabytes a second.
        const std::size_t start = bytes_.size();
        bytes_.resize(start + values.size() * 2);
        char* out = bytes_.data() + start;
        for (std::int16_t sample : values) {
            const auto bits = static_cast<std::uint16_t>(sample);
            *out++ = static_cast<char>(bits & 0xFF);
            *out++ = static_cast<char>(bits >> 8);
        }
    }
    // The payload's length goes in front, in the room kept for it.
    std::string frame() &&
    {
        const auto length = static_cast<std::uint32_t>(bytes_.size() - LengthBytes);
        for (std::size_t i = 0; i < LengthBytes; ++i)
            bytes_[i] = static_cast<char>(length >> (8 * i));
        return std::move(bytes_);
    }

private:
    static constexpr std::size_t LengthBytes = 4;
    std::string bytes_ = std::string(LengthBytes, '\0');
};

class Reader {
public:
    explicit Reader(std::span<const char> bytes)
        : bytes_(bytes)
    {
    }
    std::uint8_t u8()
    {
        need(1);
        return static_cast<std::uint8_t>(bytes_[position_++]);
    }
    std::uint32_t u32()
    {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8)
            value |= std::uint32_t{u8()} << shift;
        return value;
    }
    std::string string()
    {
        const std::uint32_t size = u32();
        need(size);
        std::string value(bytes_.data() + position_, size);
        position_ += size;
        return value;
    }
    std::vector<std::int16_t> samples()
    {
        const std::uint32_t count = u32();
        need(std::size_t{count} * 2);
        std::vector<std::int16_t> values(count);
        const auto* in = reinterpret_cast<const std::uint8_t*>(bytes_.data() + position_);
        for (auto& value : values) {
            value = static_cast<std::int16_t>(in[0] | (in[1] << 8));
            in += 2;
        }
        position_ += std::size_t{count} * 2;
        return values;
    }
    void expectEnd() const
    {
        if (position_ != bytes_.size())
            throw ProtocolError{"trailing bytes in message"};
    }

private:
    void need(std::size_t count) const
    {
        if (bytes_.size() - position_ < count)
            throw ProtocolError{"truncated message"};
    }

    std::span<const char> bytes_;
    std::size_t position_ = 0;
};

} // namespace

std::string encode(const Message& message)
{
    Writer out;
    out.u8(static_cast<std::uint8_t>(message.type));
    switch (message.type) {
    case MessageType::ListVoices:
        out.string(message.voice);
        break;
    case MessageType::Synthesize:
        out.u32(message.id);
        out.u32(message.value);
        out.u8(message.flag ? 1 : 0);
        out.string(message.voice);
        out.string(message.text);
        break;
    case MessageType::Stop:
        out.u32(message.id);
        break;
    case MessageType::Refused:
        out.u32(message.id);
        out.string(message.text);
        break;
    case MessageType::Hello:
        out.u32(message.value);
        break;
    case MessageType::Voices:
        out.u32(static_cast<std::uint32_t>(message.voices.size()));
        for (const VoiceInfo& voice : message.voices) {
            out.string(voice.identifier);
            out.string(voice.name);
        }
        break;
    case MessageType::Audio:
        out.u32(message.id);
        out.samples(message.samples);
        break;
    case MessageType::Word:
    case MessageType::Done:
    case MessageType::SentenceEnd:
    case MessageType::ClauseEnd:
        out.u32(message.id);
        out.u32(message.value);
        break;
    case MessageType::Cut:
        out.u32(message.id);
        out.u32(message.value);
        out.u8(message.flag ? 1 : 0);
        break;
    }
    return std::move(out).frame();
}

Message decode(std::span<const char> payload)
{
    Reader in(payload);
    Message message;
    message.type = static_cast<MessageType>(in.u8());
    switch (message.type) {
    case MessageType::ListVoices:
        message.voice = in.string();
        break;
    case MessageType::Synthesize:
        message.id = in.u32();
        message.value = in.u32();
        message.flag = in.u8() != 0;
        message.voice = in.string();
        message.text = in.string();
        break;
    case MessageType::Stop:
        message.id = in.u32();
        break;
    case MessageType::Refused:
        message.id = in.u32();
        message.text = in.string();
        break;
    case MessageType::Hello:
        message.value = in.u32();
        break;
    case MessageType::Voices:
        for (std::uint32_t count = in.u32(); count > 0; --count) {
            VoiceInfo voice;
            voice.identifier = in.string();
            voice.name = in.string();
            message.voices.push_back(std::move(voice));
        }
        break;
    case MessageType::Audio:
        message.id = in.u32();
        message.samples = in.samples();
        break;
    case MessageType::Word:
    case MessageType::Done:
    case MessageType::SentenceEnd:
    case MessageType::ClauseEnd:
        message.id = in.u32();
        message.value = in.u32();
        break;
    case MessageType::Cut:
        message.id = in.u32();
        message.value = in.u32();
        message.flag = in.u8() != 0;
        break;
    default:
        throw ProtocolError{"unknown message type"};
    }
    in.expectEnd();
    return message;
}

void FrameReader::append(std::span<const char> bytes)
{
    if (consumed_ > 0 && consumed_ >= buffer_.size() / 2) {
        buffer_.erase(0, consumed_);
        consumed_ = 0;
    }
    buffer_.append(bytes.data(), bytes.size());
}

std::optional<std::string> FrameReader::next()
{
    const std::size_t available = buffer_.size() - consumed_;
    if (available < 4)
        return std::nullopt;
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= std::uint32_t{static_cast<std::uint8_t>(buffer_[consumed_ + i])} << (8 * i);
    if (length > MaxFrameSize)
        throw ProtocolError{"frame too large"};
    if (available - 4 < length)
        return std::nullopt;
    std::string payload = buffer_.substr(consumed_ + 4, length);
    consumed_ += 4 + length;
    return payload;
}

} // namespace synth
