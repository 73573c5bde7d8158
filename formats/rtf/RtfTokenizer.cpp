// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/rtf/RtfTokenizer.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace formats {

namespace {

// Longer control words are read as unknown ones.
constexpr std::size_t MaxWordLength = 32;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

bool RtfTokenizer::isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

RtfToken RtfTokenizer::next()
{
    while (!atEnd()) {
        switch (input_[pos_]) {
        case '{':
            ++pos_;
            return {.type = RtfToken::Type::GroupStart};
        case '}':
            ++pos_;
            return {.type = RtfToken::Type::GroupEnd};
        case '\\':
            ++pos_;
            return control();
        case '\r':
        case '\n':
            ++pos_;
            break;
        default:
            return text();
        }
    }
    return {};
}

RtfToken RtfTokenizer::control()
{
    if (atEnd())
        return {};
    if (isLetter(input_[pos_]))
        return controlWord();
    const char symbol = input_[pos_++];
    if (symbol == '\'')
        return hexByte();
    if (symbol == '\\' || symbol == '{' || symbol == '}')
        return {.type = RtfToken::Type::Text, .name = input_.substr(pos_ - 1, 1)};
    return {.type = RtfToken::Type::Symbol, .symbol = symbol};
}

RtfToken RtfTokenizer::controlWord()
{
    const std::size_t start = pos_;
    while (!atEnd() && isLetter(input_[pos_]))
        ++pos_;
    RtfToken token{.type = RtfToken::Type::Word};
    if (pos_ - start <= MaxWordLength)
        token.name = input_.substr(start, pos_ - start);
    readParameter(token);
    if (!atEnd() && input_[pos_] == ' ')
        ++pos_;
    return token.name == "bin" ? binary(token) : token;
}

void RtfTokenizer::readParameter(RtfToken& token)
{
    const bool negative =
        pos_ + 1 < input_.size() && input_[pos_] == '-' && isDigit(input_[pos_ + 1]);
    if (negative)
        ++pos_;
    // Past 2^31 the value only saturates, so any number of digits costs no overflow.
    constexpr std::int64_t Saturated = std::int64_t(1) << 31;
    std::int64_t value = 0;
    for (; !atEnd() && isDigit(input_[pos_]); ++pos_) {
        token.hasParam = true;
        value = std::min(value * 10 + (input_[pos_] - '0'), Saturated);
    }
    value = std::clamp<std::int64_t>(negative ? -value : value, INT_MIN, INT_MAX);
    token.param = static_cast<int>(value);
}

RtfToken RtfTokenizer::binary(const RtfToken& word)
{
    if (word.hasParam && word.param > 0)
        pos_ += std::min(static_cast<std::size_t>(word.param), input_.size() - pos_);
    return {.type = RtfToken::Type::Binary};
}

RtfToken RtfTokenizer::hexByte()
{
    if (pos_ + 1 >= input_.size() || hexValue(input_[pos_]) < 0 || hexValue(input_[pos_ + 1]) < 0)
        return {.type = RtfToken::Type::Symbol, .symbol = '\''};
    const int value = hexValue(input_[pos_]) * 16 + hexValue(input_[pos_ + 1]);
    pos_ += 2;
    return {.type = RtfToken::Type::Byte, .param = value};
}

RtfToken RtfTokenizer::text()
{
    const std::size_t start = pos_;
    while (!atEnd() && input_[pos_] != '\\' && input_[pos_] != '{' && input_[pos_] != '}' &&
           input_[pos_] != '\r' && input_[pos_] != '\n')
        ++pos_;
    return {.type = RtfToken::Type::Text, .name = input_.substr(start, pos_ - start)};
}

} // namespace formats
