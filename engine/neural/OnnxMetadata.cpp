// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/neural/OnnxMetadata.h"

#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>

namespace neural {

namespace {

// Fields of onnx.ModelProto and of onnx.StringStringEntryProto.
constexpr std::uint64_t GraphField = 7;
constexpr std::uint64_t MetadataField = 14;
constexpr std::uint64_t KeyField = 1;
constexpr std::uint64_t ValueField = 2;
constexpr std::uint64_t MostMetadataBytes = 1 << 20;

enum WireType : std::uint64_t { Varint = 0, Fixed64 = 1, Delimited = 2, Fixed32 = 5 };

// Protocol buffer fields, read from a stream of known length.
class FieldReader {
public:
    FieldReader(std::istream& in, std::uint64_t size)
        : in_(in)
        , left_(size)
    {
    }

    bool atEnd() const { return left_ == 0; }

    std::uint64_t varint()
    {
        std::uint64_t value = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            const std::uint8_t byte = next();
            value |= std::uint64_t{byte & 0x7fu} << shift;
            if (!(byte & 0x80))
                return value;
        }
        throw VoiceFolderError("the model file is damaged");
    }

    std::string bytes(std::uint64_t count)
    {
        need(count);
        std::string value(count, '\0');
        in_.read(value.data(), static_cast<std::streamsize>(count));
        if (!in_)
            throw VoiceFolderError("the model file could not be read");
        left_ -= count;
        return value;
    }

    void skip(std::uint64_t count)
    {
        need(count);
        in_.seekg(static_cast<std::streamoff>(count), std::ios::cur);
        left_ -= count;
    }

    // Skips the field's value; returns the length of a delimited one.
    std::optional<std::uint64_t> skipValue(std::uint64_t wireType)
    {
        switch (wireType) {
        case Varint:
            varint();
            return std::nullopt;
        case Fixed64:
            skip(8);
            return std::nullopt;
        case Fixed32:
            skip(4);
            return std::nullopt;
        case Delimited: {
            const std::uint64_t length = varint();
            skip(length);
            return length;
        }
        default:
            throw VoiceFolderError("the model file is damaged");
        }
    }

private:
    void need(std::uint64_t count) const
    {
        if (count > left_)
            throw VoiceFolderError("the model file is cut short");
    }

    std::uint8_t next()
    {
        need(1);
        const int byte = in_.get();
        if (byte == std::char_traits<char>::eof())
            throw VoiceFolderError("the model file could not be read");
        --left_;
        return static_cast<std::uint8_t>(byte);
    }

    std::istream& in_;
    std::uint64_t left_;
};

std::pair<std::string, std::string> readEntry(const std::string& entry)
{
    std::istringstream in(entry);
    FieldReader fields(in, entry.size());
    std::pair<std::string, std::string> pair;
    while (!fields.atEnd()) {
        const std::uint64_t tag = fields.varint();
        if ((tag & 7) == Delimited && (tag >> 3) == KeyField)
            pair.first = fields.bytes(fields.varint());
        else if ((tag & 7) == Delimited && (tag >> 3) == ValueField)
            pair.second = fields.bytes(fields.varint());
        else
            fields.skipValue(tag & 7);
    }
    return pair;
}

} // namespace

std::map<std::string, std::string> readOnnxMetadata(const std::filesystem::path& model)
{
    std::error_code error;
    const std::uint64_t size = std::filesystem::file_size(model, error);
    std::ifstream in(model, std::ios::binary);
    if (error || !in)
        throw VoiceFolderError("the model file could not be read");
    FieldReader fields(in, size);
    std::map<std::string, std::string> metadata;
    bool hasGraph = false;
    while (!fields.atEnd()) {
        const std::uint64_t tag = fields.varint();
        const std::uint64_t field = tag >> 3;
        if (field == MetadataField && (tag & 7) == Delimited) {
            const std::uint64_t length = fields.varint();
            if (length > MostMetadataBytes)
                throw VoiceFolderError("the model's metadata is too large");
            metadata.insert(readEntry(fields.bytes(length)));
        } else {
            hasGraph |= fields.skipValue(tag & 7).value_or(0) > 0 && field == GraphField;
        }
    }
    if (!hasGraph)
        throw VoiceFolderError("the model file holds no model");
    return metadata;
}

} // namespace neural
