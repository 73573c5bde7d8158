// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/books/XhtmlText.h"

#include "formats/books/HtmlEntity.h"
#include "formats/books/ParagraphBuilder.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QXmlStreamReader>

namespace formats {

namespace {

bool isOneOf(QStringView name, std::initializer_list<const char*> names)
{
    for (const char* candidate : names)
        if (name == QLatin1String(candidate))
            return true;
    return false;
}

// What is not heard: the head with its title, code, pictures, and the readings printed above
// ruby text, which would say each word twice.
bool isUnheard(QStringView name)
{
    return isOneOf(name, {"head", "script", "style", "template", "svg", "img", "image", "object",
                          "embed", "audio", "video", "iframe", "canvas", "rt", "rp"});
}

bool isBlock(QStringView name)
{
    return isOneOf(name,
                   {"p",      "div",        "li",     "ul",      "ol",         "dl",      "dt",
                    "dd",     "blockquote", "pre",    "section", "article",    "aside",   "header",
                    "footer", "nav",        "main",   "figure",  "figcaption", "table",   "caption",
                    "tr",     "td",         "th",     "hr",      "br",         "address", "body",
                    "hgroup", "summary",    "details"});
}

// 1 to 6 for h1 to h6, otherwise 0.
int headingLevel(QStringView name)
{
    if (name.size() == 2 && name[0] == u'h' && name[1] >= u'1' && name[1] <= u'6')
        return name[1].unicode() - u'0';
    return 0;
}

class EntityResolver : public QXmlStreamEntityResolver {
public:
    QString resolveUndeclaredEntity(const QString& name) override { return htmlEntity(name); }
};

class XhtmlWalker {
public:
    XhtmlWalker(const QByteArray& document, ParagraphBuilder& paragraphs)
        : reader_(document)
        , paragraphs_(paragraphs)
    {
        reader_.setEntityResolver(&entities_);
    }

    // False where the document is not well-formed; what was read stays.
    bool walk()
    {
        while (!reader_.atEnd()) {
            switch (reader_.readNext()) {
            case QXmlStreamReader::StartElement:
                enter(reader_.name().toString().toLower());
                break;
            case QXmlStreamReader::EndElement:
                leave(reader_.name().toString().toLower());
                break;
            case QXmlStreamReader::Characters:
            case QXmlStreamReader::EntityReference:
                addText(reader_.text());
                break;
            default:
                break;
            }
        }
        paragraphs_.endParagraph();
        return !reader_.hasError();
    }

private:
    void enter(const QString& name)
    {
        if (isUnheard(name)) {
            reader_.skipCurrentElement();
            return;
        }
        if (isBlock(name) || headingLevel(name))
            paragraphs_.endParagraph();
        if (const int level = headingLevel(name))
            paragraphs_.setHeadingLevel(level);
        if (name == u"pre")
            ++preformatted_;
    }

    void leave(const QString& name)
    {
        if (!isBlock(name) && !headingLevel(name))
            return;
        paragraphs_.endParagraph();
        paragraphs_.setHeadingLevel(0);
        if (name == u"pre")
            --preformatted_;
    }

    void addText(QStringView text)
    {
        if (preformatted_ > 0)
            paragraphs_.appendLines(text);
        else
            paragraphs_.append(text);
    }

    QXmlStreamReader reader_;
    EntityResolver entities_;
    ParagraphBuilder& paragraphs_;
    int preformatted_ = 0;
};

void appendHtmlText(const QByteArray& document, ParagraphBuilder& paragraphs)
{
    QTextDocument html;
    html.setHtml(QString::fromUtf8(document));
    for (QTextBlock block = html.begin(); block.isValid(); block = block.next()) {
        QString text = block.text();
        text.remove(QChar::ObjectReplacementCharacter).replace(QChar::LineSeparator, u'\n');
        paragraphs.setHeadingLevel(block.blockFormat().headingLevel());
        paragraphs.appendLines(text);
        paragraphs.endParagraph();
    }
    paragraphs.setHeadingLevel(0);
}

} // namespace

void appendXhtmlText(const QByteArray& document, ParagraphBuilder& paragraphs)
{
    ParagraphBuilder wellFormed;
    if (XhtmlWalker(document, wellFormed).walk())
        paragraphs.appendParagraphs(wellFormed.take());
    else
        appendHtmlText(document, paragraphs);
}

} // namespace formats
