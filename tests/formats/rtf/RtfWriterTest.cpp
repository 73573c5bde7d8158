// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/rtf/RtfWriter.h"

#include "formats/rtf/RtfReader.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using formats::RtfReader;
using formats::RtfWriter;

namespace {

QString fromUtf8(const char8_t* text)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(text));
}

QTextCharFormat plainFormat()
{
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("DejaVu Sans")});
    format.setFontPointSize(12);
    return format;
}

// A document built run by run, each run with the format a test gives it.
struct Document {
    Document()
    {
        document.setDefaultFont(QFont(QStringLiteral("Default Family")));
        cursor.setCharFormat(plainFormat());
    }

    Document& add(const QString& text, const QTextCharFormat& format = plainFormat())
    {
        cursor.insertText(text, format);
        return *this;
    }
    Document& paragraph(Qt::Alignment alignment = Qt::AlignLeft)
    {
        QTextBlockFormat format;
        format.setAlignment(alignment);
        cursor.insertBlock(format);
        return *this;
    }

    QTextDocument document;
    QTextCursor cursor{&document};
};

// The runs of a document as text and the properties RTF keeps, for comparing documents.
QStringList describe(const QTextDocument& document)
{
    QStringList runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        runs.append(QStringLiteral("paragraph %1").arg(int(block.blockFormat().alignment())));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            runs.append(QStringLiteral("%1|%2|%3|b%4 i%5 u%6 s%7|%8")
                            .arg(it.fragment().text(), f.fontFamilies().toStringList().join(','))
                            .arg(f.fontPointSize())
                            .arg(f.fontWeight() >= QFont::Bold)
                            .arg(f.fontItalic())
                            .arg(f.fontUnderline())
                            .arg(f.fontStrikeOut())
                            .arg(f.foreground().style() == Qt::NoBrush
                                     ? QStringLiteral("auto")
                                     : f.foreground().color().name()));
        }
    }
    return runs;
}

QTextDocument* roundTrip(const QTextDocument& document, QTextDocument& into)
{
    RtfReader::read(RtfWriter::write(document), into);
    return &into;
}

} // namespace

TEST(RtfWriter, WritesPureAsciiWithEscapes)
{
    Document d;
    d.add(fromUtf8(u8"a\\b{c}d 中文 😀 é\u00A0\t\u2028end"));
    const QByteArray rtf = RtfWriter::write(d.document);
    EXPECT_TRUE(std::ranges::all_of(rtf, [](char c) { return c > 0; })) << rtf.constData();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi"));
    EXPECT_TRUE(rtf.endsWith('}'));
    EXPECT_TRUE(rtf.contains("\\uc1")) << "the reader must know each \\u has one fallback";
    EXPECT_TRUE(rtf.contains("a\\\\b\\{c\\}d \\u20013?\\u25991? \\u-10179?\\u-8704? \\u233?\\u160?"
                             "\\tab \\line end"))
        << rtf.constData();
}

TEST(RtfWriter, WritesTablesOfTheFontsAndColoursUsed)
{
    Document d;
    QTextCharFormat red = plainFormat();
    red.setForeground(QColor(255, 0, 0));
    QTextCharFormat serif = plainFormat();
    serif.setFontFamilies({fromUtf8(u8"Serif{x};宋体")});
    serif.setForeground(QColor(0, 0, 255));
    d.add(QStringLiteral("plain "))
        .add(QStringLiteral("red "), red)
        .add(QStringLiteral("serif"), serif);
    const QByteArray rtf = RtfWriter::write(d.document);
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Default Family;}"
                             "{\\f1\\fnil\\fcharset0 DejaVu Sans;}"
                             "{\\f2\\fnil\\fcharset0 Serif\\{x\\}\\u23435?\\u20307?;}}"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains("{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"));
    EXPECT_TRUE(rtf.contains("{\\f1\\fs24 plain }{\\f1\\fs24\\cf1 red }{\\f2\\fs24\\cf2 serif}"))
        << rtf.constData();
}

TEST(RtfWriter, SizesInPixelsAreTakenAt96Dpi)
{
    QTextCharFormat pixels;
    pixels.setProperty(QTextFormat::FontPixelSize, 16);
    QTextCharFormat half = plainFormat();
    half.setFontPointSize(10.5);
    Document d;
    d.add(QStringLiteral("px"), pixels).add(QStringLiteral("half"), half);
    const QByteArray rtf = RtfWriter::write(d.document);
    EXPECT_TRUE(rtf.contains("\\fs24 px}")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\fs21 half}")) << rtf.constData();

    QTextDocument document(QStringLiteral("default"));
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(20);
    document.setDefaultFont(font);
    EXPECT_TRUE(RtfWriter::write(document).contains("\\fs30 default}"));
}

TEST(RtfWriter, WritesEveryParagraphWithItsAlignment)
{
    Document d;
    d.add(QStringLiteral("left")).paragraph(Qt::AlignHCenter).add(QStringLiteral("centre"));
    d.paragraph(Qt::AlignRight).paragraph(Qt::AlignJustify | Qt::AlignAbsolute);
    d.add(QStringLiteral("justified"));
    const QByteArray rtf = RtfWriter::write(d.document);
    EXPECT_TRUE(rtf.contains("\\pard\\ql{\\f1\\fs24 left}\\par\r\n"
                             "\\pard\\qc{\\f1\\fs24 centre}\\par\r\n"
                             "\\pard\\qr\\par\r\n"
                             "\\pard\\qj{\\f1\\fs24 justified}\\par\r\n}"))
        << rtf.constData();
}

TEST(RtfRoundTrip, KeepsTextAndEveryFormat)
{
    QTextCharFormat bold = plainFormat();
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italicRed = plainFormat();
    italicRed.setFontItalic(true);
    italicRed.setForeground(QColor(200, 10, 20));
    QTextCharFormat underlined = plainFormat();
    underlined.setFontUnderline(true);
    underlined.setFontPointSize(9.5);
    QTextCharFormat struck = plainFormat();
    struck.setFontStrikeOut(true);
    struck.setFontFamilies({QStringLiteral("Liberation Serif")});
    QTextCharFormat cjk = plainFormat();
    cjk.setFontFamilies({fromUtf8(u8"宋体")});
    cjk.setFontPointSize(22);
    cjk.setForeground(QColor(0, 128, 0));
    QTextCharFormat everything = bold;
    everything.merge(italicRed);
    everything.setFontUnderline(true);
    everything.setFontStrikeOut(true);

    Document d;
    d.add(QStringLiteral("Plain ")).add(QStringLiteral("bold"), bold);
    d.add(QStringLiteral(" italic red"), italicRed).paragraph(Qt::AlignHCenter);
    d.add(QStringLiteral("under {braces} \\"), underlined).add(QStringLiteral("struck"), struck);
    d.paragraph(Qt::AlignRight).add(fromUtf8(u8"中文測試 😀"), cjk);
    d.add(QStringLiteral("all"), everything).paragraph(Qt::AlignJustify);
    d.add(QStringLiteral("tab\tline\u2028break")).paragraph().paragraph();
    d.add(QStringLiteral("after an empty paragraph"));

    QTextDocument read;
    EXPECT_EQ(describe(*roundTrip(d.document, read)), describe(d.document));
    QTextDocument again;
    EXPECT_EQ(describe(*roundTrip(read, again)), describe(d.document));
}

TEST(RtfRoundTrip, EmptyDocumentsAndEmptyEndings)
{
    QTextDocument empty;
    QTextDocument read(QStringLiteral("old"));
    roundTrip(empty, read);
    EXPECT_TRUE(read.isEmpty());
    EXPECT_EQ(read.blockCount(), 1);

    Document d;
    d.add(QStringLiteral("text")).paragraph().paragraph();
    QTextDocument trailing;
    roundTrip(d.document, trailing);
    EXPECT_EQ(trailing.blockCount(), 3);
    EXPECT_EQ(trailing.toPlainText(), QStringLiteral("text\n\n"));
}

TEST(RtfRoundTrip, ReadsBackWhatItWritesOfAWordProcessorDocument)
{
    const QByteArray word = "{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 SimSun;}"
                            "{\\f1\\fswiss Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
                            "\\pard\\qc\\f1\\fs28\\b Title\\b0\\par\\pard\\f0\\cf1 \\'d6\\'d0"
                            "\\'ce\\'c4\\f1\\cf0\\ul  link\\par}";
    QTextDocument first;
    RtfReader::read(word, first);
    QTextDocument second;
    roundTrip(first, second);
    EXPECT_EQ(describe(second), describe(first));
    EXPECT_EQ(second.toPlainText(), fromUtf8(u8"Title\n中文 link"));
}
