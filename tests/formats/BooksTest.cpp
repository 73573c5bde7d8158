// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/books/EpubReader.h"
#include "formats/books/MarkdownText.h"
#include "tests/support/EpubBuilder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace formats;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testsupport::EpubBuilder;

namespace {

// Each paragraph as "h2 text" for a heading, as its text for body text.
std::vector<std::string> heard(const BookText& book)
{
    std::vector<std::string> lines;
    for (const BookParagraph& paragraph : book)
        lines.push_back((paragraph.headingLevel
                             ? QStringLiteral("h%1 ").arg(paragraph.headingLevel) + paragraph.text
                             : paragraph.text)
                            .toStdString());
    return lines;
}

std::string refusal(const QByteArray& book, const EpubLimits& limits = {})
{
    try {
        readEpub(book, limits);
    } catch (const BookError& error) {
        return error.what();
    }
    return "read";
}

// A book of one document, which the archive may encrypt.
QByteArray oneDocumentBook(const QByteArray& document, const char* mediaType, bool encrypted)
{
    return EpubBuilder::zipped(
        {{QStringLiteral("META-INF/container.xml"),
          R"(<container><rootfiles><rootfile full-path="p.opf"/></rootfiles></container>)"},
         {QStringLiteral("p.opf"),
          QByteArray(R"(<package><manifest><item id="a" href="a" media-type=")") + mediaType +
              R"("/></manifest><spine><itemref idref="a"/></spine></package>)"},
         {QStringLiteral("a"), document, encrypted}});
}

std::vector<std::string> heardMarkdown(const char* markdown)
{
    return heard(readMarkdown(QString::fromUtf8(markdown)));
}

} // namespace

TEST(Epub, TheSpineIsReadInOrderWithHeadingsAndWithoutWhatIsNotHeard)
{
    const QByteArray book =
        EpubBuilder()
            .document(QStringLiteral("Text/title page.xhtml"),
                      QStringLiteral("<h1 class=\"t\">The  <em>Long</em>\n Road</h1>"
                                     "<div><img src=\"cover.jpg\" alt=\"Cover\"/></div>"
                                     "<script>var unheard = 1;</script>"))
            .document(QStringLiteral("cover.svg"), QStringLiteral("<p>picture</p>"),
                      QStringLiteral("image/svg+xml"))
            .document(QStringLiteral("Text/one.xhtml"),
                      QStringLiteral("<section><h2>Chapter&nbsp;1</h2><p>It was &mdash; "
                                     "caf&#233; <b>time</b>.<br/>Next line</p>"
                                     "<ul><li>first</li><li>second</li></ul>"
                                     "<p><ruby>漢<rt>かん</rt>字<rt>じ</rt></ruby>です</p>"
                                     "<pre>line one\n  line two</pre></section>"))
            .bytes();
    EXPECT_THAT(heard(readEpub(book)),
                ElementsAre("h1 The Long Road", "h2 Chapter 1", "It was — café time.", "Next line",
                            "first", "second", "漢字です", "line one", "line two"));
}

TEST(Epub, ADocumentThatIsNotWellFormedIsReadAsHtml)
{
    const QByteArray loose = oneDocumentBook(
        "<html><body><h3>Loose</h3><p>One<br>Two<p>Three &copy; 2024", "text/html", false);
    EXPECT_THAT(heard(readEpub(loose)), ElementsAre("h3 Loose", "One", "Two", "Three © 2024"));
}

TEST(Epub, DamagedBooksAreRefusedWithTheirReason)
{
    EXPECT_THAT(refusal("PK\x03\x04 not really"), HasSubstr("It is no EPUB book"));
    const QByteArray good =
        EpubBuilder().document(QStringLiteral("a.xhtml"), QStringLiteral("<p>A</p>")).bytes();
    EXPECT_THAT(refusal(good.left(good.size() / 2)), HasSubstr("It is no EPUB book"));
    EXPECT_EQ(refusal(EpubBuilder::zipped({{QStringLiteral("mimetype"), "application/epub+zip"}})),
              "The book is damaged: \"META-INF/container.xml\" is missing.");
    EXPECT_EQ(refusal(EpubBuilder()
                          .document(QStringLiteral("a.xhtml"), QStringLiteral("<p>A</p>"))
                          .unlisted(QStringLiteral("gone"))
                          .bytes()),
              "The book is damaged: \"OEBPS/content.opf\" lists \"gone\" in its reading order "
              "but not among its files.");
    EXPECT_THAT(refusal(EpubBuilder::zipped(
                    {{QStringLiteral("META-INF/container.xml"), "<container><rootfiles>"}})),
                HasSubstr("The book is damaged: \"META-INF/container.xml\" line 1:"));
    EXPECT_EQ(refusal(EpubBuilder()
                          .document(QStringLiteral("a.xhtml"), QStringLiteral("<img src=\"a\"/>"))
                          .bytes()),
              "The book holds no text to read; its pages may be pictures.");
}

TEST(Epub, BooksLockedByDrmAreRefusedButScrambledFontsAreNot)
{
    const auto encryption = [](const char* uri) {
        return QByteArray(R"(<encryption xmlns="urn:oasis:names:tc:opendocument:xmlns:container" )"
                          R"(xmlns:enc="http://www.w3.org/2001/04/xmlenc#"><enc:EncryptedData>)"
                          R"(<enc:CipherData><enc:CipherReference URI=")") +
               uri + R"("/></enc:CipherData></enc:EncryptedData></encryption>)";
    };
    const auto book = [&](const char* uri) {
        return EpubBuilder()
            .document(QStringLiteral("Text/a%20b.xhtml"), QStringLiteral("<p>Secret</p>"))
            .entry(QStringLiteral("META-INF/encryption.xml"), encryption(uri))
            .bytes();
    };
    const std::string locked = "The book is locked by DRM (its text is encrypted); only the "
                               "reading program it was sold for can open it.";
    EXPECT_EQ(refusal(book("OEBPS/Text/a%2520b.xhtml")), locked);
    EXPECT_EQ(refusal(book("OEBPS/Fonts/serif.otf")), "read");
    EXPECT_EQ(refusal(oneDocumentBook("<p>A</p>", "application/xhtml+xml", true)), locked);
}

TEST(Epub, BooksLargerThanTheLimitsAreRefused)
{
    const QString words = QStringLiteral("word ").repeated(400);
    const QByteArray book =
        EpubBuilder()
            .document(QStringLiteral("a.xhtml"), QStringLiteral("<p>%1</p>").arg(words))
            .document(QStringLiteral("b.xhtml"), QStringLiteral("<p>%1</p>").arg(words))
            .bytes();
    EXPECT_THAT(refusal(book, {.maxDocumentBytes = 1000}),
                HasSubstr("The book is too large: \"OEBPS/a.xhtml\" unpacks to more than"));
    EXPECT_EQ(refusal(book, {.maxTextLength = 3000}),
              "The book is too large: it holds more than 3,000 characters of text.");
    EXPECT_EQ(refusal(book, {.maxTextLength = 4000}), "read");
}

TEST(Markdown, IsHeardWithoutItsMarkup)
{
    EXPECT_THAT(heardMarkdown("---\ntitle: Not heard\n---\n"
                              "# The *Title*\n\nSome **bold** and `code`, a [link](http://x.org) "
                              "and ![a picture](p.png) &amp; &#233;.\nSame paragraph.  \n"
                              "After a hard break.\n\nSub heading\n-----------\n\n"
                              "- one\n- [x] two\n\n1. three\n\n> quoted <b>bold</b>\n\n"
                              "```\nint a;\nint b;\n```\n\n"
                              "<div align=\"center\">Centred</div>\n\n"
                              "| A | B |\n|---|---|\n| 1 | 2 |\n"),
                ElementsAre("h1 The Title", "Some bold and code, a link and & é. Same paragraph.",
                            "After a hard break.", "h2 Sub heading", "one", "two", "three",
                            "quoted bold", "int a;", "int b;", "Centred", "A", "B", "1", "2"));
    EXPECT_THAT(heardMarkdown("--- \nA rule, then text\n"), ElementsAre("A rule, then text"));
}
