// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FontText.h"

#include "app/HistoryFile.h"
#include "app/IntegerText.h"

#include <gtest/gtest.h>
#include <limits>

TEST(FontText, RoundTripsWithAndWithoutStylesAndColour)
{
    TextFont font{QStringLiteral("Tahoma"), 11, false, false, false, false, 0xFF000008};
    EXPECT_EQ(FontToText(font, 96, true), QStringLiteral("\"Tahoma\", 8, [], [clWindowText]"));
    EXPECT_EQ(FontToText(font, 96, false), QStringLiteral("\"Tahoma\", 8, []"));
    font = {QStringLiteral("宋体"), 16, true, true, true, true, 0x00000001};
    const QString text = FontToText(font, 96, true);
    EXPECT_EQ(text, QStringLiteral("\"宋体\", 12, [Bold|Italic|Underline|Strikeout], [$00000001]"));
    TextFont back;
    TextToFont(text, back, 96, true);
    EXPECT_EQ(back.name, font.name);
    EXPECT_EQ(back.pixelHeight, 16);
    EXPECT_TRUE(back.bold && back.italic && back.underline && back.strikeout);
    EXPECT_EQ(back.color, 0x00000001u);
}

TEST(FontText, SizesPassThroughPixelsRoundedEachWay)
{
    EXPECT_EQ(pointsToPixels(8, 96), 11);
    EXPECT_EQ(pixelsToPoints(11, 96), 8);
    EXPECT_EQ(pointsToPixels(9, 96), 12);
    EXPECT_EQ(pointsToPixels(8, 120), 13);
    EXPECT_EQ(pixelsToPoints(13, 120), 8);
    TextFont font;
    TextToFont(QStringLiteral("\"Arial\", 10, [], [clBlack]"), font, 144, true);
    EXPECT_EQ(font.pixelHeight, 20);
}

TEST(FontText, SizeZeroIsTheDefaultSizeAndANegativeSizeItsAmount)
{
    TextFont font;
    TextToFont(QStringLiteral("\"Tahoma\", 0, [], [clWindowText]"), font, 96, true);
    EXPECT_EQ(font.pixelHeight, 11);
    EXPECT_EQ(FontToText(font, 96, true), QStringLiteral("\"Tahoma\", 8, [], [clWindowText]"));
    TextToFont(QStringLiteral("\"Tahoma\", -12, [], [clWindowText]"), font, 96, true);
    EXPECT_EQ(font.pixelHeight, 16);
    EXPECT_EQ(FontToText(font, 96, true), QStringLiteral("\"Tahoma\", 12, [], [clWindowText]"));
}

TEST(FontText, AHugeSizeGivesALargeFontThatReadsBackTheSame)
{
    TextFont font;
    TextToFont(QStringLiteral("\"Arial\", 2147483647, [], [clWindowText]"), font, 96, true);
    EXPECT_EQ(font.pixelHeight, 2184);
    const QString text = FontToText(font, 96, true);
    EXPECT_EQ(text, QStringLiteral("\"Arial\", 1638, [], [clWindowText]"));
    TextFont back;
    TextToFont(text, back, 96, true);
    EXPECT_EQ(back.pixelHeight, font.pixelHeight);
    TextToFont(QStringLiteral("\"Arial\", -2147483648, [], [clWindowText]"), font, 96, true);
    EXPECT_EQ(font.pixelHeight, 2184) << "the amount of the most negative size";
    EXPECT_EQ(pointsToPixels(std::numeric_limits<qint64>::max(), 96), 2184);
}

TEST(FontText, ColoursAreNamedInSearchOrderAndReadInAnyCase)
{
    EXPECT_EQ(ColorToText(0x000000FF), QStringLiteral("clRed"));
    EXPECT_EQ(ColorToText(0xFF000005), QStringLiteral("clWindow"));
    EXPECT_EQ(ColorToText(0x00ABCDEF), QStringLiteral("$00ABCDEF"));
    EXPECT_EQ(TextToColor(QStringLiteral("clred")), 0x000000FFu);
    EXPECT_EQ(TextToColor(QStringLiteral("-16777211")), 0xFF000005u);
    EXPECT_EQ(TextToColor(QStringLiteral("0x10")), 16u);
    EXPECT_FALSE(TextToColor(QStringLiteral("reddish")).has_value());
}

TEST(FontText, MalformedTextsChangeOnlyWhatCameBeforeTheFault)
{
    const TextFont start{QStringLiteral("Tahoma"), 11, false, true, false, false, 0xFF000008};
    TextFont font = start;
    TextToFont(QStringLiteral("\"Arial\", 14, [Bold]"), font, 96, true);
    EXPECT_EQ(font.name, QStringLiteral("Arial"));
    EXPECT_EQ(font.pixelHeight, 19);
    EXPECT_TRUE(font.italic) << "the styles stay when the colour part is missing";
    EXPECT_FALSE(font.bold);

    font = start;
    TextToFont(QStringLiteral("\"Times, New\", 9, [], [clRed]"), font, 96, true);
    EXPECT_EQ(font.name, QStringLiteral("Time"))
        << "the letter before the comma goes as if it were the quote";
    EXPECT_EQ(font.pixelHeight, start.pixelHeight) << "\" New\"\" is no size";

    font = start;
    TextToFont(QStringLiteral("no commas at all"), font, 96, true);
    EXPECT_EQ(font.name, start.name);
    font = start;
    TextToFont(QStringLiteral("\"A\", 8, [Underline|Bold], [clBlack]"), font, 96, true);
    EXPECT_TRUE(font.bold && font.underline);
    EXPECT_FALSE(font.italic);
    TextToFont(QStringLiteral("\"A\", 8, [bold], [clBlack]"), font, 96, true);
    EXPECT_FALSE(font.bold);

    for (const char* hostile :
         {"", ",", ",,,,", "\"", "\"\", , [, [", "\"x\", 99999999999, [], [$]"}) {
        TextFont any = start;
        TextToFont(QString::fromLatin1(hostile), any, 96, true);
        EXPECT_EQ(any.pixelHeight, start.pixelHeight) << hostile;
    }
}

TEST(HistoryFile, EveryEncodingGivesTheSameEntries)
{
    const QStringList expected = {QStringLiteral("/a.txt"), QString(), QStringLiteral("中文.rtf")};
    const QString text = QStringLiteral("/a.txt\r\n\r\n中文.rtf");
    QByteArray littleEndian("\xFF\xFE");
    QByteArray bigEndian("\xFE\xFF");
    for (const QChar c : text) {
        littleEndian.append(static_cast<char>(c.unicode() & 0xFF))
            .append(static_cast<char>(c.unicode() >> 8));
        bigEndian.append(static_cast<char>(c.unicode() >> 8))
            .append(static_cast<char>(c.unicode() & 0xFF));
    }
    EXPECT_EQ(HistoryFile::decode(littleEndian), expected);
    EXPECT_EQ(HistoryFile::decode(bigEndian), expected);
    EXPECT_EQ(HistoryFile::decode("\xEF\xBB\xBF" + text.toUtf8() + "\n"), expected);
    EXPECT_EQ(HistoryFile::decode(QStringLiteral("/a.txt\r\r中文.rtf\r\n").toUtf8()), expected);
    EXPECT_TRUE(HistoryFile::decode("").isEmpty());
    EXPECT_EQ(HistoryFile::decode(HistoryFile::encode(expected)), expected);
    EXPECT_EQ(HistoryFile::decode(QByteArray("\xFF\xFE"
                                             "a\0b",
                                             5))
                  .first()
                  .left(1),
              QStringLiteral("a"));
}

TEST(FontText, NamesAreTakenAsTheyStandAndCutToTheFaceNameLimit)
{
    TextFont font{QStringLiteral("A%2 %1"), 11, false, false, false, false, 0};
    EXPECT_EQ(FontToText(font, 96, false), QStringLiteral("\"A%2 %1\", 8, []"));
    TextToFont(QStringLiteral("\"%1\", 8 , [], [clBlack]"), font, 96, true);
    EXPECT_EQ(font.name, QStringLiteral("%1"));
    EXPECT_EQ(font.pixelHeight, 11) << "a blank after the size is no number";
    TextToFont(u'"' + QString(40, u'n') + QStringLiteral("\", 8, [], [clBlack]"), font, 96, true);
    EXPECT_EQ(font.name.size(), MaxFaceNameLength);
}

TEST(IntegerText, OnlyWholeNumbersConvert)
{
    EXPECT_EQ(integerFromText(QStringLiteral("  -12")), -12);
    EXPECT_EQ(integerFromText(QStringLiteral("$FF")), 255);
    EXPECT_EQ(integerFromText(QStringLiteral("0X1f")), 31);
    EXPECT_EQ(integerFromText(QStringLiteral("$FFFFFFFF")), -1);
    EXPECT_EQ(integerFromText(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
    for (const char* bad :
         {"", "abc", "- 5", "5 ", "0x 10", "0x+5", "$", "2147483648", "$100000000", "1e3"})
        EXPECT_FALSE(integerFromText(QLatin1String(bad)).has_value()) << bad;
}

TEST(HistoryFile, AHugeFileGivesABoundedList)
{
    EXPECT_EQ(HistoryFile::decode(QByteArray(4 << 20, '\n')).size(), 10000);
}
