// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/neural/helper/SentenceSplit.h"

#include <gtest/gtest.h>

using namespace neural;

namespace {

std::vector<std::string> sentencesOf(const std::string& text)
{
    const std::u32string decoded = decodeUtf8(text);
    std::vector<std::string> sentences;
    for (const TextSpan span : splitSentences(decoded))
        sentences.push_back(encodeUtf8(decoded.substr(span.start, span.end - span.start)));
    return sentences;
}

} // namespace

TEST(SentenceSplit, SentencesEndAtMarksBeforeBlanksAtChineseStopsAndAtBlankLines)
{
    EXPECT_EQ(sentencesOf("  One. Two? \"Three!\" Four"),
              (std::vector<std::string>{"One. ", "Two? ", "\"Three!\" ", "Four"}));
    EXPECT_EQ(sentencesOf("Version 1.13.4 is out... Really."),
              (std::vector<std::string>{"Version 1.13.4 is out... ", "Really."}));
    EXPECT_EQ(sentencesOf("你好。今天很好！好吗？"),
              (std::vector<std::string>{"你好。", "今天很好！", "好吗？"}));
    EXPECT_EQ(sentencesOf("A heading\n\nA paragraph\non two lines"),
              (std::vector<std::string>{"A heading\n\n", "A paragraph\non two lines"}));
    EXPECT_TRUE(sentencesOf(" \n\t ").empty());
}

TEST(SentenceSplit, ALongSentenceIsCutAtABlankAndNothingIsLost)
{
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "word ";
    const std::vector<std::string> sentences = sentencesOf(text);
    ASSERT_GT(sentences.size(), 1u);
    std::string joined;
    for (const std::string& sentence : sentences) {
        EXPECT_LE(decodeUtf8(sentence).size(), MostSentenceLength + 1);
        EXPECT_TRUE(sentence.starts_with("word")) << sentence;
        joined += sentence;
    }
    EXPECT_EQ(joined, text);
}

TEST(SentenceSplit, WordsAreRunsWithoutBlanksAndTextSurvivesTheRoundTrip)
{
    const std::u32string text = decodeUtf8("Smile \xF0\x9F\x98\x80 now.\xE3\x80\x80Ok");
    std::vector<std::u32string> words;
    for (const TextSpan word : splitWords(text, {0, text.size()}))
        words.push_back(text.substr(word.start, word.end - word.start));
    EXPECT_EQ(words, (std::vector<std::u32string>{U"Smile", U"\U0001F600", U"now.", U"Ok"}));
    EXPECT_EQ(encodeUtf8(text), "Smile \xF0\x9F\x98\x80 now.\xE3\x80\x80Ok");
    EXPECT_EQ(decodeUtf8("a\xFF"
                         "b\xE3\x80"),
              (std::u32string{U'a', 0xfffd, U'b', 0xfffd, 0xfffd}));
}
