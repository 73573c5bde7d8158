// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/rtf/RtfReader.h"

#include <chrono>
#include <cstdio>
#include <gtest/gtest.h>
#include <QFile>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <stdexcept>

using formats::RtfReader;

namespace {

struct Reading {
    explicit Reading(const QByteArray& rtf) { RtfReader::read(rtf, document); }

    QStringList paragraphs() const
    {
        QStringList result;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            result.append(block.text());
        return result;
    }
    QString text() const { return paragraphs().join(u'\n'); }
    // The format of the first character of the first place the text appears.
    QTextCharFormat formatOf(const QString& text) const
    {
        const QTextCursor found = document.find(text);
        EXPECT_FALSE(found.isNull()) << qPrintable(text);
        QTextCursor cursor(found.block());
        cursor.setPosition(found.selectionStart() + 1);
        return cursor.charFormat();
    }
    Qt::Alignment alignmentOf(const QString& text) const
    {
        return document.find(text).block().blockFormat().alignment();
    }

    QTextDocument document;
};

QByteArray fixture(const char* name)
{
    QFile file(QStringLiteral(RTF_DATA_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QString fromUtf8(const char8_t* text)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

} // namespace

TEST(RtfReader, RecognisesRtfByItsFirstBytes)
{
    EXPECT_TRUE(RtfReader::looksLikeRtf("{\\rtf1\\ansi hello}"));
    EXPECT_TRUE(RtfReader::looksLikeRtf("{\\rtf"));
    EXPECT_FALSE(RtfReader::looksLikeRtf("Hello, world"));
    EXPECT_FALSE(RtfReader::looksLikeRtf(" {\\rtf1}"));
    EXPECT_FALSE(RtfReader::looksLikeRtf("\xEF\xBB\xBF{\\rtf1}"));
    EXPECT_FALSE(RtfReader::looksLikeRtf("{\\RTF1}"));
    EXPECT_FALSE(RtfReader::looksLikeRtf(""));
}

TEST(RtfReader, RefusesWhatIsNotRtfAndKeepsTheDocument)
{
    for (const QByteArray& bytes :
         {QByteArray("plain text"), QByteArray("{\\rtfx1 a}"), QByteArray("{\\rt"), QByteArray()}) {
        QTextDocument document(QStringLiteral("kept"));
        try {
            RtfReader::read(bytes, document);
            ADD_FAILURE() << bytes.constData();
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "Failed to Load Stream");
        }
        EXPECT_EQ(document.toPlainText(), QStringLiteral("kept"));
    }
}

TEST(RtfReader, ReplacesTheContent)
{
    QTextDocument document(QStringLiteral("old"));
    RtfReader::read("{\\rtf1 new}", document);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("new"));
    RtfReader::read("{\\rtf1}", document);
    EXPECT_TRUE(document.isEmpty());
}

TEST(RtfReaderFixture, WordPadChineseInGbk)
{
    const Reading r(fixture("wordpad-chinese.rtf"));
    EXPECT_EQ(r.paragraphs(), QStringList({fromUtf8(u8"中文测试Hello"), fromUtf8(u8"红色标题"),
                                           QStringLiteral("Tab\tLine\u2028Two")}));
    EXPECT_EQ(r.formatOf(fromUtf8(u8"中文")).fontFamilies().toStringList(),
              QStringList(fromUtf8(u8"宋体")));
    EXPECT_EQ(r.formatOf(fromUtf8(u8"中文")).fontPointSize(), 11);
    EXPECT_EQ(r.formatOf(QStringLiteral("Hello")).fontFamilies().toStringList(),
              QStringList(QStringLiteral("Calibri")));
    const QTextCharFormat title = r.formatOf(fromUtf8(u8"红色"));
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(title.fontPointSize(), 16);
    EXPECT_EQ(title.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(r.alignmentOf(fromUtf8(u8"红色")), Qt::AlignHCenter);
    EXPECT_EQ(r.formatOf(QStringLiteral("Two")).fontWeight(), QFont::Normal);
}

TEST(RtfReaderFixture, WordDocumentWithFieldsPicturesAndTables)
{
    const Reading r(fixture("word.rtf"));
    EXPECT_EQ(r.paragraphs(),
              QStringList({fromUtf8(u8"Café menu"),
                           fromUtf8(u8"Plain, italic, underlined and struck. “Quoted” – see the "
                                    u8"site."),
                           fromUtf8(u8"中文 € and 日本")}));
    const QTextCharFormat title = r.formatOf(QStringLiteral("Caf"));
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_EQ(title.fontPointSize(), 16);
    EXPECT_EQ(title.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(title.fontFamilies().toStringList(), QStringList(QStringLiteral("Calibri")));
    EXPECT_EQ(r.alignmentOf(QStringLiteral("Caf")), Qt::AlignHCenter);
    EXPECT_EQ(r.alignmentOf(QStringLiteral("Plain")), Qt::AlignJustify);
    EXPECT_EQ(r.alignmentOf(fromUtf8(u8"日本")), Qt::AlignRight);
    EXPECT_TRUE(r.formatOf(QStringLiteral("italic")).fontItalic());
    EXPECT_FALSE(r.formatOf(QStringLiteral("Plain")).fontItalic());
    EXPECT_TRUE(r.formatOf(QStringLiteral("underlined")).fontUnderline());
    EXPECT_TRUE(r.formatOf(QStringLiteral("struck")).fontStrikeOut());
    EXPECT_FALSE(r.formatOf(QStringLiteral(" and ")).fontUnderline());
    const QTextCharFormat link = r.formatOf(QStringLiteral("the site"));
    EXPECT_TRUE(link.fontUnderline());
    EXPECT_EQ(link.foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(r.formatOf(fromUtf8(u8"中文")).fontFamilies().toStringList(),
              QStringList(QStringLiteral("SimSun")));
    EXPECT_EQ(r.formatOf(fromUtf8(u8"中文")).fontPointSize(), 12);
}

TEST(RtfReaderFixture, LibreOfficeDocument)
{
    const Reading r(fixture("libreoffice.rtf"));
    EXPECT_EQ(r.paragraphs(),
              QStringList({QStringLiteral("Plain text, bold, underlined, struck and green 16."),
                           fromUtf8(u8"Centred — bullet • and 中文 😀"),
                           fromUtf8(u8"not underlined Привет")}));
    EXPECT_EQ(r.formatOf(QStringLiteral("Plain")).fontFamilies().toStringList(),
              QStringList(QStringLiteral("Liberation Serif")));
    EXPECT_EQ(r.formatOf(QStringLiteral("Plain")).fontPointSize(), 12);
    EXPECT_EQ(r.formatOf(QStringLiteral("bold")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(r.formatOf(QStringLiteral("underlined")).fontUnderline());
    EXPECT_TRUE(r.formatOf(QStringLiteral("struck")).fontStrikeOut());
    EXPECT_EQ(r.formatOf(QStringLiteral("green")).foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(r.formatOf(QStringLiteral("green")).fontPointSize(), 16);
    EXPECT_EQ(r.alignmentOf(QStringLiteral("Centred")), Qt::AlignHCenter);
    EXPECT_EQ(r.alignmentOf(QStringLiteral("not")), Qt::AlignRight);
    EXPECT_FALSE(r.formatOf(QStringLiteral("not underlined")).fontUnderline());
    EXPECT_EQ(r.formatOf(fromUtf8(u8"中")).fontFamilies().toStringList(),
              QStringList(QStringLiteral("Noto Sans CJK SC")));
}

// Written by LibreOffice Writer itself (soffice --convert-to rtf from a small HTML page).
TEST(RtfReaderFixture, WrittenByLibreOfficeWriter)
{
    const Reading r(fixture("libreoffice-writer.rtf"));
    EXPECT_TRUE(r.text().contains(QStringLiteral("Bold centred title")));
    EXPECT_TRUE(r.text().contains(QStringLiteral("Plain italic underlined struck red big")));
    EXPECT_TRUE(r.text().contains(fromUtf8(u8"中文朗读测试")));
    EXPECT_EQ(r.formatOf(QStringLiteral("Bold centred")).fontWeight(), QFont::Bold);
    EXPECT_EQ(r.alignmentOf(QStringLiteral("Bold centred")) & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_TRUE(r.formatOf(QStringLiteral("italic")).fontItalic());
    EXPECT_TRUE(r.formatOf(QStringLiteral("underlined")).fontUnderline());
    EXPECT_TRUE(r.formatOf(QStringLiteral("struck")).fontStrikeOut());
    const QTextCursor red = r.document.find(QRegularExpression(QStringLiteral("\\bred\\b")));
    QTextCursor afterR(red.block());
    afterR.setPosition(red.selectionStart() + 1);
    EXPECT_EQ(afterR.charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(r.formatOf(QStringLiteral("big")).fontPointSize(), 20);
    EXPECT_EQ(r.alignmentOf(fromUtf8(u8"中文")) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_FALSE(r.formatOf(QStringLiteral("Plain")).fontItalic());
}

// Written by LibreOffice Writer 7.4 with soffice --headless --convert-to rtf from
// libreoffice-bullets.fodt beside it: lists with the bullets •, ■ and ◆ of OpenSymbol (the last two
// at its own private code points), ▪ ◦ ✓ ➢, Symbol's bullet and Wingdings' ▪ and ✓. The list text
// it writes names no font and starts with a blank.
TEST(RtfReaderFixture, LibreOfficeBulletsAreVisibleCharacters)
{
    const Reading r(fixture("libreoffice-bullets.rtf"));
    EXPECT_EQ(r.paragraphs(),
              QStringList({QStringLiteral("Bulleted lists"), fromUtf8(u8" •\tDefault bullet one"),
                           fromUtf8(u8" •\tDefault bullet two"), fromUtf8(u8" ■\tSquare"),
                           fromUtf8(u8" ◆\tDiamond"), fromUtf8(u8" ▪\tSmall square"),
                           fromUtf8(u8" ◦\tWhite bullet"), fromUtf8(u8" ✓\tCheck mark"),
                           fromUtf8(u8" ➢\tArrowhead"), fromUtf8(u8" •\tSymbol bullet"),
                           fromUtf8(u8" ▪\tWingdings square"), fromUtf8(u8" ✓\tWingdings check"),
                           QStringLiteral("After the lists.")}));
}

// Made by hand as Word writes lists (a \listtext group in the bullet's font) and as WordPad does
// (\pntext, with the bullet once more in the \pn group).
TEST(RtfReaderFixture, WordBulletsInSymbolFonts)
{
    const Reading r(fixture("word-bullets.rtf"));
    EXPECT_EQ(r.paragraphs(),
              QStringList({QStringLiteral("Shopping list"), fromUtf8(u8"•\tBread"),
                           QStringLiteral("o\tWhite bread"), fromUtf8(u8"▪\tSliced"),
                           fromUtf8(u8"✓\tBought"), fromUtf8(u8"•\tMilk, as WordPad writes it"),
                           fromUtf8(u8"An angle α of ≥90°")}));
    EXPECT_EQ(Reading("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Webdings;}}\\f0 a b}").text(),
              fromUtf8(u8"\uF061 \uF062"))
        << "a symbol font without a table keeps its characters for the font to show";
    EXPECT_EQ(Reading("{\\rtf1{\\fonttbl{\\f0 OpenSymbol;}}\\f0\\u61623?}").text(), fromUtf8(u8"•"))
        << "LibreOffice writes Symbol's bullet in OpenSymbol at Symbol's code point";
    EXPECT_EQ(Reading("{\\rtf1{\\fonttbl{\\f0\\fcharset2 Wingdings;}}\\f0\\'b7}").text(),
              fromUtf8(u8"\uF0B7"))
        << "a Wingdings character Unicode lacks is not Symbol's character at its place";
}

TEST(RtfReaderFormat, CharacterPropertiesFollowGroupsAndResets)
{
    const Reading r("{\\rtf1{\\b bold {\\i both}}\\ul under\\ul0 zero\\ul again\\ulnone none"
                    "\\uldb double\\ulc2 colour\\plain\\strike strike\\strike0 unstruck\\fs19 small"
                    "\\fs0 fallback\\fs99999 huge\\v hidden\\v0 end}");
    EXPECT_EQ(r.text(), QStringLiteral("bold bothunderzeroagainnonedoublecolourstrikeunstruck"
                                       "smallfallbackhugeend"));
    EXPECT_EQ(r.formatOf(QStringLiteral("bold")).fontWeight(), QFont::Bold);
    EXPECT_FALSE(r.formatOf(QStringLiteral("bold")).fontItalic());
    EXPECT_TRUE(r.formatOf(QStringLiteral("both")).fontItalic());
    EXPECT_EQ(r.formatOf(QStringLiteral("under")).fontWeight(), QFont::Normal);
    EXPECT_TRUE(r.formatOf(QStringLiteral("under")).fontUnderline());
    EXPECT_FALSE(r.formatOf(QStringLiteral("zero")).fontUnderline());
    EXPECT_TRUE(r.formatOf(QStringLiteral("again")).fontUnderline());
    EXPECT_FALSE(r.formatOf(QStringLiteral("none")).fontUnderline());
    EXPECT_TRUE(r.formatOf(QStringLiteral("double")).fontUnderline());
    EXPECT_TRUE(r.formatOf(QStringLiteral("colour")).fontUnderline()) << "\\ulc is only a colour";
    EXPECT_TRUE(r.formatOf(QStringLiteral("strike")).fontStrikeOut());
    EXPECT_FALSE(r.formatOf(QStringLiteral("strike")).fontUnderline());
    EXPECT_FALSE(r.formatOf(QStringLiteral("unstruck")).fontStrikeOut());
    EXPECT_EQ(r.formatOf(QStringLiteral("small")).fontPointSize(), 9.5);
    EXPECT_EQ(r.formatOf(QStringLiteral("fallback")).fontPointSize(), 12);
    EXPECT_EQ(r.formatOf(QStringLiteral("huge")).fontPointSize(), 1638);
}

TEST(RtfReaderFormat, ColoursAndFontsComeFromTheirTables)
{
    const Reading r("{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset0 Courier New;}\\f2 Bare;}"
                    "{\\colortbl;\\red10\\green20\\blue30;;\\red300\\green-5\\blue255;}"
                    "a\\cf1 b\\cf2 c\\cf3 d\\cf9 e\\f0 f\\f2 g\\f7 h\\plain i}");
    EXPECT_EQ(r.text(), QStringLiteral("abcdefghi"));
    EXPECT_EQ(r.formatOf(QStringLiteral("a")).foreground().style(), Qt::NoBrush);
    EXPECT_EQ(r.formatOf(QStringLiteral("b")).foreground().color(), QColor(10, 20, 30));
    EXPECT_EQ(r.formatOf(QStringLiteral("c")).foreground().style(), Qt::NoBrush);
    EXPECT_EQ(r.formatOf(QStringLiteral("d")).foreground().color(), QColor(255, 0, 255));
    EXPECT_EQ(r.formatOf(QStringLiteral("e")).foreground().style(), Qt::NoBrush);
    const auto family = [&](const char* text) {
        return r.formatOf(QLatin1String(text)).fontFamilies().toStringList();
    };
    EXPECT_EQ(family("a"), QStringList(QStringLiteral("Courier New")));
    EXPECT_EQ(family("f"), QStringList(QStringLiteral("Arial")));
    EXPECT_EQ(family("g"), QStringList(QStringLiteral("Bare")));
    EXPECT_EQ(family("h"), QStringList());
    EXPECT_EQ(family("i"), QStringList(QStringLiteral("Courier New")));
}

TEST(RtfReaderFormat, ParagraphsAlignmentAndBreaks)
{
    const Reading r("{\\rtf1\\qc one\\par two\\pard\\par\\qr{\\qj three}\\par\\par "
                    "a\\line b\\tab c\\~d\\emdash\\par\r\n}");
    EXPECT_EQ(r.paragraphs(),
              QStringList({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"),
                           QString(), QStringLiteral("a\u2028b\tc\u00A0d\u2014")}));
    const auto alignment = [&](int block) {
        return r.document.findBlockByNumber(block).blockFormat().alignment();
    };
    EXPECT_EQ(alignment(0), Qt::AlignHCenter);
    EXPECT_EQ(alignment(1), Qt::AlignLeft) << "\\pard ends the centring";
    EXPECT_EQ(alignment(2), Qt::AlignRight) << "the \\qj of a closed group is gone";
    EXPECT_EQ(alignment(4), Qt::AlignRight);
    EXPECT_EQ(Reading("{\\rtf1 a\\par\\par}").paragraphs(),
              QStringList({QStringLiteral("a"), QString()}));
    EXPECT_EQ(Reading("{\\rtf1 a\\par b}").paragraphs(),
              QStringList({QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(RtfReaderFormat, PageAndSectionBreaksEndTheParagraph)
{
    const Reading r(
        "{\\rtf1 End of page one.\\page Start of page two.\\sect New section.\\par\\page "
        "After a break at a paragraph's start.\\column Next column.}");
    EXPECT_EQ(r.paragraphs(),
              QStringList({QStringLiteral("End of page one."), QStringLiteral("Start of page two."),
                           QStringLiteral("New section."),
                           QStringLiteral("After a break at a paragraph's start."),
                           QStringLiteral("Next column.")}));
    EXPECT_EQ(Reading("{\\rtf1 one\\par\\sect two\\sect three}").paragraphs(),
              QStringList({QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}))
        << "Word ends every section with \\par\\sect";
}

// Gathered after the text, each as its own paragraph starting with its number, footnotes are
// heard once the text is done instead of breaking off its sentences.
TEST(RtfReaderFormat, FootnotesFollowTheTextWithTheirNumbers)
{
    const Reading word(
        "{\\rtf1{\\*\\ftnsep\\chftnsep}Water boils at 100 degrees.{\\cs15\\super\\chftn "
        "{\\footnote\\pard\\plain{\\cs15\\super\\chftn} At sea level.}} It freezes at "
        "0.{\\super\\chftn{\\footnote\\pard\\plain\\qc{\\super\\chftn} Pure water.\\par "
        "{\\v hidden}Second paragraph of the note.}}\\par Next paragraph.\\par}");
    ASSERT_EQ(word.paragraphs(),
              QStringList({QStringLiteral("Water boils at 100 degrees.1 It freezes at 0.2"),
                           QStringLiteral("Next paragraph."), QStringLiteral("1 At sea level."),
                           QStringLiteral("2 Pure water."),
                           QStringLiteral("Second paragraph of the note.")}));
    EXPECT_EQ(word.alignmentOf(QStringLiteral("Second")), Qt::AlignHCenter);

    // As LibreOffice writes it, marked ignorable.
    const Reading libreOffice(
        "{\\rtf1{\\loch Text with a note}{{\\super \\loch \\chftn{\\*\\footnote "
        "\\chftn\\pard\\plain "
        "\\s24\\fs20{\\loch\r\n\\tab The note itself.}\r\n}}\r\n}{\\loch\r\n and more.}}");
    ASSERT_EQ(libreOffice.paragraphs(), QStringList({QStringLiteral("Text with a note1 and more."),
                                                     QStringLiteral("1\tThe note itself.")}));
    EXPECT_EQ(libreOffice.formatOf(QStringLiteral("The note")).fontPointSize(), 10);
}

TEST(RtfReaderFormat, SkipsDestinationsThatHoldNoText)
{
    const Reading r("{\\rtf1{\\stylesheet{\\s1 Heading;}}{\\info{\\title T}}{\\*\\unknown x{y}}"
                    "{\\header h}{\\pict\\bin4 }{}z}a{\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}"
                    "{\\*\\bkmkstart b}{\\pict 89ab\\bin3 {{{cd}b{\\object{\\objdata 00}}}");
    EXPECT_EQ(r.text(), QStringLiteral("a7b"));
}

TEST(RtfReaderUnicode, FallbacksFollowTheSkipCountOfTheGroup)
{
    const Reading r("{\\rtf1 \\u20013?\\uc2\\u25991ab{\\uc0\\u26085}\\u26412xyz"
                    "\\uc1\\u8364\\'80 x\\u8364{y}}");
    EXPECT_EQ(r.text(), fromUtf8(u8"中文日本z€ x€y")) << "a fallback ends at a group";
    EXPECT_EQ(Reading("{\\rtf1\\uc-5\\u65?a}").text(), QStringLiteral("A?a"));
    EXPECT_EQ(Reading("{\\rtf1\\uc99999999\\u65 abc}").text(), QStringLiteral("A"));
    EXPECT_EQ(Reading("{\\rtf1\\uc3\\u65\\'41\\b\\bin2 xxyz}").text(), QStringLiteral("Ayz"));
}

TEST(RtfReaderUnicode, NegativeValuesSurrogatesAndStrays)
{
    EXPECT_EQ(Reading("{\\rtf1\\u-3913?\\u-10179?\\u-8704?}").text(), fromUtf8(u8"\uF0B7😀"));
    EXPECT_EQ(Reading("{\\rtf1\\u55357?\\u56832?}").text(), fromUtf8(u8"😀"));
    EXPECT_EQ(Reading("{\\rtf1\\u55357?x\\u56832?y}").text(), fromUtf8(u8"\uFFFDx\uFFFDy"));
    EXPECT_EQ(Reading("{\\rtf1\\u55357?\\u55357?\\u56832?\\u55357?}").text(),
              fromUtf8(u8"\uFFFD😀\uFFFD"));
    EXPECT_EQ(Reading("{\\rtf1\\u128512?\\u-99999?\\u2147483647?}").text(),
              fromUtf8(u8"😀\uFFFD\uFFFD"));
    EXPECT_EQ(Reading("{\\rtf1 a\\u0?\\u10?\\u13?\\u8233?\\u65532?b}").text(),
              fromUtf8(u8"a\u2028\uFFFDb"))
        << "characters with a meaning of their own in a document are not inserted";
}

TEST(RtfReaderUnicode, BytesFollowTheCodePageOfTheFont)
{
    const auto read = [](const char* rtf) { return Reading(rtf).text(); };
    EXPECT_EQ(read("{\\rtf1 \\'e9\\'80\\'93}"), fromUtf8(u8"é€“"));
    EXPECT_EQ(read("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}"), fromUtf8(u8"При"));
    EXPECT_EQ(read("{\\rtf1\\ansicpg99999 \\'e9}"), fromUtf8(u8"é"));
    EXPECT_EQ(read("{\\rtf1\\mac \\'8e}"), fromUtf8(u8"é"));
    EXPECT_EQ(read("{\\rtf1{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0 \\'93\\'fa\\'83\\'5c}"),
              fromUtf8(u8"日ソ"));
    EXPECT_EQ(read("{\\rtf1{\\fonttbl{\\f0\\fcharset129 Gulim;}}\\f0 \\'c7\\'d1\\'81\\'41}"),
              fromUtf8(u8"한갂"));
    EXPECT_EQ(read("{\\rtf1{\\fonttbl{\\f0\\fcharset136 MingLiU;}}\\f0 \\'a4\\'a4\\'a4\\'e5}"),
              fromUtf8(u8"中文"));
    EXPECT_EQ(read("{\\rtf1{\\fonttbl{\\f0\\fcharset134 SimSun;}}\\f0 \\'d6\\'d0\\'ce\\'c4}"),
              fromUtf8(u8"中文"));
    EXPECT_EQ(read("{\\rtf1{\\fonttbl{\\f0\\fcharset161 A;}{\\f1\\fcharset177 B;}"
                   "{\\f2\\fcharset222 C;}{\\f3\\fcharset238\\cpg1252 D;}}"
                   "\\f0\\'e1\\f1\\'e0\\f2\\'a1\\f3\\'e8}"),
              fromUtf8(u8"αאกè"))
        << "\\cpg is above \\fcharset";
    EXPECT_EQ(read("{\\rtf1\\ansicpg932 \\'83e}"), fromUtf8(u8"テ"))
        << "a trail byte may be written as itself";
}

// Windows and LibreOffice show the bytes of a font in the font's character set.
TEST(RtfReaderUnicode, TheCharacterSetOfTheFontWinsOverTheCodePageOfTheDocument)
{
    const Reading r(
        "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
        "{\\f1\\fcharset134 SimSun;}{\\f2\\fcharset1 Default;}{\\f3\\fcharset99 Unknown;}"
        "{\\f4\\cpg1252\\fcharset134 Page;}}"
        "25\\'b0C, Caf\\'e9\\par\\f1\\'d6\\'d0\\'ce\\'c4\\par\\f2\\'d6\\'d0\\par\\f3\\'d6\\'d0\\par"
        "\\f4\\'e9\\par\\f9\\'d6\\'d0}");
    EXPECT_EQ(r.paragraphs(),
              QStringList({fromUtf8(u8"25°C, Café"), fromUtf8(u8"中文"), fromUtf8(u8"中"),
                           fromUtf8(u8"中"), fromUtf8(u8"é"), fromUtf8(u8"中")}))
        << "the default and unknown character sets, and a font not in the table, take the "
           "document's code page; \\cpg is above \\fcharset";
}

namespace {

// Reads hostile input and tells how long it took; no exception is acceptable too.
struct Hostile {
    explicit Hostile(const QByteArray& rtf)
    {
        const auto start = std::chrono::steady_clock::now();
        try {
            RtfReader::read(rtf, document);
        } catch (const std::runtime_error& error) {
            failed = true;
            EXPECT_STREQ(error.what(), "Failed to Load Stream");
        }
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    QTextDocument document;
    bool failed = false;
    double seconds = 0;
};

// Bounds that only a reader gone quadratic or stuck exceeds, with room for a loaded machine;
// open-bench times the reader. Sanitizers make every step several times slower.
#ifdef __SANITIZE_ADDRESS__
constexpr double Quick = 60.0;
#else
constexpr double Quick = 10.0;
#endif

} // namespace

TEST(RtfReaderHostile, UnterminatedGroupsKeepTheText)
{
    const Hostile h("{\\rtf1{\\b bold\\par more{\\i deeper");
    EXPECT_FALSE(h.failed);
    EXPECT_EQ(h.document.toPlainText(), QStringLiteral("bold\nmoredeeper"));
    EXPECT_EQ(Hostile("{\\rtf1 a\\").document.toPlainText(), QStringLiteral("a"));
    EXPECT_EQ(Hostile("{\\rtf1 a\\'4").document.toPlainText(), QStringLiteral("a4"));
    EXPECT_EQ(Hostile("{\\rtf1 a}b}c").document.toPlainText(), QStringLiteral("a"));
}

TEST(RtfReaderHostile, TextNestedPastTheDepthLimitIsReadWithoutRecursion)
{
    const auto nested = [](int depth, const QByteArray& inside) {
        return QByteArray(depth, '{') + inside + QByteArray(depth, '}');
    };
    EXPECT_EQ(Hostile("{\\rtf1 " + nested(5000, "Hello deep") + "}").document.toPlainText(),
              QStringLiteral("Hello deep"));
    const Hostile h("{\\rtf1 before" + nested(100000, "kept") + "after}");
    EXPECT_LT(h.seconds, Quick);
    EXPECT_EQ(h.document.toPlainText(), QStringLiteral("beforekeptafter"));
    const Hostile skipped("{\\rtf1 a" + nested(5000, "b{\\*\\unknown c}d{\\pict 00}e\\par f") +
                          "g}");
    EXPECT_EQ(skipped.document.toPlainText(), QStringLiteral("abde\nfg"))
        << "a skipped group past the limit skips only itself";
    const Hostile open("{\\rtf1 x" + QByteArray(100000, '{') + "y");
    EXPECT_EQ(open.document.toPlainText(), QStringLiteral("xy"));
}

TEST(RtfReaderHostile, BinaryCountsAreBoundedByTheInput)
{
    const Hostile huge("{\\rtf1 a\\bin2147483647 bcd}");
    EXPECT_EQ(huge.document.toPlainText(), QStringLiteral("a"));
    const Hostile saturated("{\\rtf1 a\\bin99999999999999999999 bcd}");
    EXPECT_EQ(saturated.document.toPlainText(), QStringLiteral("a"));
    EXPECT_EQ(Hostile("{\\rtf1 a\\bin-5 bcd}").document.toPlainText(), QStringLiteral("abcd"));
    EXPECT_EQ(Hostile("{\\rtf1 a\\bin2 {}bcd}").document.toPlainText(), QStringLiteral("abcd"));
}

TEST(RtfReaderHostile, HugeTablesWordsAndNumbers)
{
    QByteArray fonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; fonts.size() < 50'000'000; ++i)
        fonts +=
            "{\\f" + QByteArray::number(i) + "\\fcharset134 Font" + QByteArray::number(i) + ";}";
    fonts +=
        "{\\f1 Renamed;}}{\\colortbl" + QByteArray(2'000'000, ';') + "}\\f1 text\\f20000 more}";
    Hostile table(fonts);
    EXPECT_LT(table.seconds, 4 * Quick);
    EXPECT_EQ(table.document.toPlainText(), QStringLiteral("textmore"));
    QTextCursor cursor(&table.document);
    cursor.setPosition(1);
    EXPECT_EQ(cursor.charFormat().fontFamilies().toStringList(), QStringList("Renamed"));

    const Hostile longWord("{\\rtf1 a\\" + QByteArray(10000, 'b') + "1 c}");
    EXPECT_LT(longWord.seconds, Quick);
    EXPECT_EQ(longWord.document.toPlainText(), QStringLiteral("ac"));

    const Hostile digits("{\\rtf1 a\\fs" + QByteArray(50, '9') + " b\\u-" + QByteArray(50, '9') +
                         "?c\\cf" + QByteArray(50, '7') + " d}");
    EXPECT_EQ(digits.document.toPlainText(), QStringLiteral("ab\uFFFDcd"));

    const Hostile name("{\\rtf1{\\fonttbl{\\f0 " + QByteArray(1'000'000, 'n') + ";}}\\f0 x}");
    EXPECT_EQ(name.document.toPlainText(), QStringLiteral("x"));
}

// Formats change every few words in the first, every few lines in the second.
TEST(RtfReaderHostile, TenMegabytesReadQuickly)
{
    const QByteArray header = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset134 SimSun;}}"
                              "{\\colortbl;\\red255\\green0\\blue0;}";
    const QByteArray dense = "\\pard\\qc Plain words {\\b bold} {\\i\\cf1 red italic} caf\\'e9 "
                             "{\\f1 \\'d6\\'d0\\'ce\\'c4} \\u8364? and more text\\par\r\n";
    const QByteArray prose = "\\pard " +
                             QByteArray("A long line of plain prose to read. ").repeated(60) +
                             "{\\b A bold ending.}\\line\r\n" +
                             QByteArray("Caf\\'e9 and more. ").repeated(40) + "\\par\r\n";
    for (const QByteArray& paragraph : {dense, prose}) {
        QByteArray rtf = header;
        int paragraphs = 0;
        for (; rtf.size() < 10'000'000; ++paragraphs)
            rtf += paragraph;
        rtf += '}';
        const Hostile h(rtf);
        EXPECT_FALSE(h.failed);
        EXPECT_LT(h.seconds, Quick);
        EXPECT_EQ(h.document.blockCount(), paragraphs);
        std::printf("10 MB RTF of %d paragraphs read in %.3f s\n", paragraphs, h.seconds);
    }
}
