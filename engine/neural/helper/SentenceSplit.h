// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace neural {

struct TextSpan {
    std::size_t start = 0;
    std::size_t end = 0;
};

// The text's sentences, each from its first character up to the next one's, as punctuation shows
// them: a sentence mark followed by a blank or a closing quote, a Chinese or Japanese full stop, a
// blank line. A sentence longer than MostSentenceLength is cut at a blank, so that no sentence
// holds up the sound for long.
constexpr std::size_t MostSentenceLength = 400;
std::vector<TextSpan> splitSentences(const std::u32string& text);

// The words of a span: its runs of characters that are not blanks.
std::vector<TextSpan> splitWords(const std::u32string& text, TextSpan span);

std::u32string decodeUtf8(const std::string& text);
std::string encodeUtf8(const std::u32string& text);

} // namespace neural
