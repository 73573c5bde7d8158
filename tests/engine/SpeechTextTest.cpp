// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/SpeechText.h"

#include <gtest/gtest.h>

using namespace engine;

TEST(CleanForSynthesis, ControlCharactersBecomeBlanksAndLineEndsStay)
{
    const QString text = QStringLiteral("a\x01 80S b\tc\r\nd\x1f\x7f"
                                        "e");
    EXPECT_EQ(cleanForSynthesis(text), QStringLiteral("a  80S b\tc\r\nd \x7f"
                                                      "e"));
}

TEST(CleanForSynthesis, LoneSurrogatesBecomeReplacementCharacters)
{
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    const QString pair = QString(high) + low;
    EXPECT_EQ(cleanForSynthesis(pair), pair);
    const QString broken = QString(low) + QChar(u'x') + high;
    EXPECT_EQ(cleanForSynthesis(broken), QStringLiteral("\uFFFDx\uFFFD"));
    EXPECT_EQ(cleanForSynthesis(QString(high) + high + low), QString(QChar(0xFFFD)) + pair);
}

namespace {

std::vector<SpeechPiece> cutAll(const QString& text,
                                qsizetype maxLength = PieceCutter::MaxPieceLength)
{
    PieceCutter cutter(text, maxLength);
    std::vector<SpeechPiece> pieces;
    while (!cutter.atEnd())
        pieces.push_back(cutter.next());
    return pieces;
}

QString joined(const std::vector<SpeechPiece>& pieces)
{
    QString text;
    for (const SpeechPiece& piece : pieces)
        text += piece.text;
    return text;
}

} // namespace

TEST(PieceCutter, CutsOnlyWhereThePieceIsFullAndResumesWhereSynthesisStopped)
{
    const QString text = QStringLiteral("Mr. Smith came\nat 5 p.m. today. He left.\n\nThe end");
    const auto whole = cutAll(text);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_TRUE(whole[0].endsSentence);

    PieceCutter cutter(text, 20);
    const SpeechPiece first = cutter.next();
    EXPECT_EQ(first.text, QStringLiteral("Mr. Smith came\nat 5 "));
    EXPECT_FALSE(first.endsSentence);
    cutter.resumeAt(4);
    EXPECT_EQ(cutter.next().text, QStringLiteral("Smith came\nat 5 "));
    EXPECT_EQ(joined(cutAll(text, 20)), text);
}

TEST(PieceCutter, SkipsSentencesByTheirMarksAndParagraphEnds)
{
    const QString text = QStringLiteral("One. Two? Three\n\nFour\nstill four. Five");
    PieceCutter cutter(text);
    EXPECT_EQ(cutter.skipSentences(3), 3);
    EXPECT_EQ(cutter.next().text.trimmed(), QStringLiteral("Four\nstill four. Five"));
    EXPECT_EQ(likelySentenceEnd(text, 0), 4);
    EXPECT_EQ(likelySentenceEnd(QStringLiteral("3.5 is \u4E2D\u3002\u6587"), 0), 9);

    PieceCutter rest(text);
    EXPECT_EQ(rest.skipSentences(100), 5);
    EXPECT_TRUE(rest.atEnd());
}

TEST(PieceCutter, LongSentencesBreakAtBlanksThenAnywhereButInsidePairs)
{
    const auto words = cutAll(QStringLiteral("aaa bbb ccc ddd"), 9);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].text, QStringLiteral("aaa bbb "));
    EXPECT_TRUE(words[1].endsSentence);
    EXPECT_FALSE(words[0].endsSentence);

    QString emoji;
    for (int i = 0; i < 10; ++i)
        emoji += QStringLiteral("\U0001F600");
    const auto pieces = cutAll(emoji, 5);
    for (const SpeechPiece& piece : pieces) {
        EXPECT_LE(piece.text.size(), 5);
        EXPECT_FALSE(piece.text.back().isHighSurrogate());
    }
    EXPECT_EQ(joined(pieces), emoji);
}

TEST(PieceCutter, AHugeTextIsCutAsItIsRead)
{
    const QString huge(10'000'000, u'x');
    PieceCutter cutter(huge);
    const SpeechPiece first = cutter.next();
    EXPECT_EQ(first.text.size(), PieceCutter::MaxPieceLength);
    EXPECT_FALSE(cutter.atEnd());
}

TEST(SplitIntoWords, KeepsOffsetsAndTheSentenceEnd)
{
    const auto words = splitIntoWords({QStringLiteral("so  it goes."), 100, true});
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[0].text, QStringLiteral("so  "));
    EXPECT_EQ(words[1].start, 104);
    EXPECT_FALSE(words[1].endsSentence);
    EXPECT_TRUE(words[2].endsSentence);
}

TEST(CutAtParagraphEnds, CutsAfterTheBlanksThatCloseAParagraphOnceAPartIsLongEnough)
{
    const QString text = QStringLiteral("One two.\nThree\nfour.\r\n\r\n\"Five!\"\n"
                                        "Heading\n  \nSix seven. Eight");
    std::vector<QString> parts;
    QString joined;
    for (const SpeechPiece& part : cutAtParagraphEnds(text, 4)) {
        EXPECT_EQ(part.start, joined.size());
        parts.push_back(part.text);
        joined += part.text;
    }
    EXPECT_EQ(joined, text);
    // Not after "Three": a line end without a sentence mark is no pause; nor after a closing
    // quote, where espeak-ng pauses longer than at the end of a part.
    EXPECT_EQ(parts, (std::vector<QString>{QStringLiteral("One two.\n"),
                                           QStringLiteral("Three\nfour.\r\n\r\n"),
                                           QStringLiteral("\"Five!\"\nHeading\n  \n"),
                                           QStringLiteral("Six seven. Eight")}));
    EXPECT_EQ(cutAtParagraphEnds(text, 30).size(), 2u);
    EXPECT_EQ(cutAtParagraphEnds(QStringLiteral("One paragraph. Two sentences."), 4).size(), 1u);
    EXPECT_TRUE(cutAtParagraphEnds({}, 4).empty());
    const auto ending = cutAtParagraphEnds(QStringLiteral("One.\n\nTwo.\n\n"), 2);
    ASSERT_EQ(ending.size(), 2u);
    EXPECT_EQ(ending.back().text, QStringLiteral("Two.\n\n"));
}
