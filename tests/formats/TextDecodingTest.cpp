// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/TextDecoding.h"

#include "app/HistoryFile.h"

#include <gtest/gtest.h>
#include <QStringEncoder>

using formats::decodeSystemCodePage;

namespace {

QByteArray encoded(const char* codePage, const QString& text)
{
    return QStringEncoder(codePage).encode(text);
}

void expectComeOutAsWritten(std::initializer_list<std::pair<const char*, QString>> samples)
{
    for (const auto& [codePage, text] : samples)
        EXPECT_EQ(decodeSystemCodePage(encoded(codePage, text)), text) << codePage;
}

} // namespace

TEST(TextDecoding, ValidUtf8StaysUtf8)
{
    for (const QString& text : {QStringLiteral("Café crème"), QStringLiteral("谢谢")})
        EXPECT_EQ(decodeSystemCodePage(text.toUtf8()), text);
}

// Short texts are where uchardet is unsure or names a code page of the wrong script.
TEST(TextDecoding, TextsInWindowsCodePagesComeOutAsWritten)
{
    expectComeOutAsWritten({
        {"GBK", QStringLiteral("中文")},
        {"GBK", QStringLiteral("你好，世界")},
        {"GBK", QStringLiteral("这是测试")},
        {"GBK", QStringLiteral("今天我们学习中文，语音朗读软件可以把文字转换成声音。")},
        {"GBK", QStringLiteral("新闻")},
        {"GBK", QStringLiteral("读书")},
        {"GBK", QStringLiteral("第一章")},
        {"windows-1252", QStringLiteral("Café crème")},
        {"windows-1252", QStringLiteral("El niño está en la montaña.")},
        {"windows-1252", QStringLiteral("“Le cœur a ses raisons” — Pascal")},
        {"windows-1252", QStringLiteral("Informações e comunicações da situação")},
        {"windows-1252", QStringLiteral("Ação e informação sobre a situação atual.")},
        {"windows-1250", QStringLiteral("Příliš žluťoučký kůň")},
        {"windows-1251", QStringLiteral("Это русское предложение.")},
        {"Big5", QStringLiteral("這是一個中文句子，我們今天去公園散步，天氣很好。")},
        {"Shift_JIS", QStringLiteral("これは日本語の文です。")},
        {"windows-949", QStringLiteral("이것은 한국어 문장입니다.")},
    });
}

TEST(TextDecoding, AStrayByteInUtf8TextSpoilsOnlyItself)
{
    struct Sample {
        QString before;
        const char* strayByte;
        QString after;
    };
    const Sample samples[] = {
        {QStringLiteral("Café"), "\xE9", QStringLiteral(" crème, déjà vu … Le garçon a mangé.")},
        {QStringLiteral("今天我们学习中文"), "\xFF",
         QStringLiteral("，语音朗读软件可以把文字转换成声音。")},
    };
    for (const auto& [before, strayByte, after] : samples)
        EXPECT_EQ(decodeSystemCodePage(before.toUtf8() + strayByte + after.toUtf8()),
                  before + QChar::ReplacementCharacter + after)
            << strayByte;
}

// Such texts pair up byte by byte as GB2312 characters, as short GBK texts do.
TEST(TextDecoding, TextsUchardetPlacesInAnotherScriptAreNotTakenForChinese)
{
    expectComeOutAsWritten({
        {"windows-1251", QStringLiteral("Привет тебе, друг")},
        {"windows-1251", QStringLiteral("Мама мыла раму")},
        {"windows-1253", QStringLiteral("Καλημέρα")},
        {"windows-1253", QStringLiteral("Τι κάνεις;")},
    });
}

TEST(TextDecoding, AHistoryFileInGbkGivesItsEntries)
{
    const QStringList entries = {QStringLiteral("c:\\文档\\报告.txt"),
                                 QStringLiteral("d:\\小说\\第一章.rtf")};
    EXPECT_EQ(HistoryFile::decode(encoded("GBK", entries.join(QStringLiteral("\r\n")))), entries);
}

TEST(TextDecoding, TheCodePageOfALargeFileIsToldFromItsFirstLettersAboveAscii)
{
    const QString line = QStringLiteral("Ligne %1 : déjà vu, crème brûlée.\n");
    QString text = QString(100000, u'a') + u'\n';
    for (int i = 0; i < 20000; ++i)
        text += line.arg(i);
    EXPECT_EQ(decodeSystemCodePage(encoded("windows-1252", text)), text);
}
