// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string_view>

namespace formats {

// One piece of RTF: a group's start or end, a control word or symbol, a byte given in hex, a run
// of text, or the skipped data of \bin.
struct RtfToken {
    enum class Type { End, GroupStart, GroupEnd, Word, Symbol, Byte, Text, Binary };

    Type type = Type::End;
    // The control word's name (empty when too long to be one), or the text.
    std::string_view name = {};
    bool hasParam = false;
    // The control word's parameter, or the byte's value.
    int param = 0;
    char symbol = 0;

    bool on() const { return !hasParam || param != 0; }
};

// Cuts RTF into tokens without copying it. Control words have bounded names and saturated
// parameters, and \bin skips at most what is left, so hostile input costs no more than its length.
class RtfTokenizer {
public:
    explicit RtfTokenizer(std::string_view input)
        : input_(input)
    {
    }

    RtfToken next();

    static bool isLetter(char c);

private:
    bool atEnd() const { return pos_ >= input_.size(); }
    RtfToken control();
    RtfToken controlWord();
    RtfToken hexByte();
    RtfToken text();
    void readParameter(RtfToken& token);
    RtfToken binary(const RtfToken& word);

    std::string_view input_;
    std::size_t pos_ = 0;
};

} // namespace formats
