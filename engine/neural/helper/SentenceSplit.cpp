// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/neural/helper/SentenceSplit.h"

namespace neural {

namespace {

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\f' || c == U'\v' ||
           c == 0xa0 || c == 0x3000 || c == 0x2028 || c == 0x2029;
}

bool endsSentence(char32_t c)
{
    return c == U'.' || c == U'!' || c == U'?' || c == 0x2026 || c == 0xff01 || c == 0xff1f;
}

bool endsSentenceAlone(char32_t c)
{
    return c == 0x3002 || c == 0xff01 || c == 0xff1f;
}

bool closes(char32_t c)
{
    return c == U'"' || c == U'\'' || c == U')' || c == U']' || c == 0x201d || c == 0x2019 ||
           c == 0xbb || c == 0x300d || c == 0x300f;
}

// Where the sentence that starts at `from` ends, before the blanks after it.
std::size_t sentenceEnd(const std::u32string& text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (endsSentenceAlone(c) || endsSentence(c)) {
            std::size_t end = i + 1;
            while (end < text.size() && (endsSentence(text[end]) || closes(text[end])))
                ++end;
            if (endsSentenceAlone(c) || end == text.size() || isBlank(text[end]))
                return end;
            i = end - 1;
        } else if (c == U'\n' && i + 1 < text.size()) {
            std::size_t next = i + 1;
            while (next < text.size() && isBlank(text[next]) && text[next] != U'\n')
                ++next;
            if (next < text.size() && text[next] == U'\n')
                return i;
        }
    }
    return text.size();
}

std::size_t shortened(const std::u32string& text, std::size_t start, std::size_t end)
{
    if (end - start <= MostSentenceLength)
        return end;
    const std::size_t limit = start + MostSentenceLength;
    for (std::size_t i = limit; i > start + MostSentenceLength / 2; --i)
        if (isBlank(text[i]))
            return i;
    return limit;
}

std::size_t skipBlanks(const std::u32string& text, std::size_t from)
{
    while (from < text.size() && isBlank(text[from]))
        ++from;
    return from;
}

} // namespace

std::vector<TextSpan> splitSentences(const std::u32string& text)
{
    std::vector<TextSpan> sentences;
    std::size_t start = skipBlanks(text, 0);
    while (start < text.size()) {
        const std::size_t end = shortened(text, start, sentenceEnd(text, start));
        const std::size_t next = skipBlanks(text, end);
        sentences.push_back({start, next});
        start = next;
    }
    return sentences;
}

std::vector<TextSpan> splitWords(const std::u32string& text, TextSpan span)
{
    std::vector<TextSpan> words;
    std::size_t i = span.start;
    while ((i = skipBlanks(text, i)) < span.end) {
        const std::size_t start = i;
        while (i < span.end && !isBlank(text[i]))
            ++i;
        words.push_back({start, i});
    }
    return words;
}

// A byte that does not start a whole sequence becomes U+FFFD, and decoding goes on after it.
std::u32string decodeUtf8(const std::string& text)
{
    std::u32string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80                   ? 1
                                   : lead >= 0xc2 && lead < 0xe0 ? 2
                                   : lead >= 0xe0 && lead < 0xf0 ? 3
                                   : lead >= 0xf0 && lead < 0xf5 ? 4
                                                                 : 0;
        char32_t c = length == 1 ? lead : lead & (0x7f >> length);
        bool whole = length > 0 && i + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xc0) == 0x80;
            c = (c << 6) | (next & 0x3f);
        }
        if (!whole || c > 0x10ffff || (c >= 0xd800 && c < 0xe000)) {
            decoded.push_back(0xfffd);
            ++i;
            continue;
        }
        decoded.push_back(c);
        i += length;
    }
    return decoded;
}

std::string encodeUtf8(const std::u32string& text)
{
    std::string encoded;
    encoded.reserve(text.size());
    for (const char32_t c : text) {
        if (c < 0x80) {
            encoded.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            encoded.push_back(static_cast<char>(0xc0 | (c >> 6)));
            encoded.push_back(static_cast<char>(0x80 | (c & 0x3f)));
        } else if (c < 0x10000) {
            encoded.push_back(static_cast<char>(0xe0 | (c >> 12)));
            encoded.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
            encoded.push_back(static_cast<char>(0x80 | (c & 0x3f)));
        } else {
            encoded.push_back(static_cast<char>(0xf0 | (c >> 18)));
            encoded.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3f)));
            encoded.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3f)));
            encoded.push_back(static_cast<char>(0x80 | (c & 0x3f)));
        }
    }
    return encoded;
}

} // namespace neural
