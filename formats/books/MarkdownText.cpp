// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/books/MarkdownText.h"

#include "formats/books/HtmlEntity.h"
#include "formats/books/ParagraphBuilder.h"
#include "formats/books/XhtmlText.h"

#include <md4c.h>
#include <QRegularExpression>

namespace formats {

namespace {

class MarkdownWalker {
public:
    BookText walk(const QByteArray& utf8)
    {
        MD_PARSER parser{};
        parser.flags = MD_DIALECT_GITHUB;
        parser.enter_block = [](MD_BLOCKTYPE type, void* detail, void* self) {
            return static_cast<MarkdownWalker*>(self)->enterBlock(type, detail);
        };
        parser.leave_block = [](MD_BLOCKTYPE type, void*, void* self) {
            return static_cast<MarkdownWalker*>(self)->leaveBlock(type);
        };
        parser.enter_span = [](MD_SPANTYPE type, void*, void* self) {
            static_cast<MarkdownWalker*>(self)->images_ += type == MD_SPAN_IMG;
            return 0;
        };
        parser.leave_span = [](MD_SPANTYPE type, void*, void* self) {
            static_cast<MarkdownWalker*>(self)->images_ -= type == MD_SPAN_IMG;
            return 0;
        };
        parser.text = [](MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size, void* self) {
            static_cast<MarkdownWalker*>(self)->addText(type, QString::fromUtf8(text, size));
            return 0;
        };
        md_parse(utf8.constData(), static_cast<MD_SIZE>(utf8.size()), &parser, this);
        return paragraphs_.take();
    }

private:
    int enterBlock(MD_BLOCKTYPE type, void* detail)
    {
        paragraphs_.endParagraph();
        if (type == MD_BLOCK_H)
            paragraphs_.setHeadingLevel(
                static_cast<int>(static_cast<const MD_BLOCK_H_DETAIL*>(detail)->level));
        codeBlock_ = type == MD_BLOCK_CODE;
        htmlBlock_ = type == MD_BLOCK_HTML;
        return 0;
    }

    int leaveBlock(MD_BLOCKTYPE type)
    {
        if (type == MD_BLOCK_HTML)
            appendXhtmlText(std::exchange(html_, {}).toUtf8(), paragraphs_);
        paragraphs_.endParagraph();
        paragraphs_.setHeadingLevel(0);
        codeBlock_ = false;
        htmlBlock_ = false;
        return 0;
    }

    void addText(MD_TEXTTYPE type, const QString& text)
    {
        if (images_ > 0)
            return;
        switch (type) {
        case MD_TEXT_HTML:
            if (htmlBlock_)
                html_ += text;
            break;
        case MD_TEXT_ENTITY:
            paragraphs_.append(htmlEntity(text.mid(1).chopped(1)));
            break;
        case MD_TEXT_NULLCHAR:
            paragraphs_.append(QString(QChar::ReplacementCharacter));
            break;
        case MD_TEXT_BR:
            paragraphs_.endParagraph();
            break;
        case MD_TEXT_SOFTBR:
            paragraphs_.append(u" ");
            break;
        default:
            if (codeBlock_)
                paragraphs_.appendLines(text);
            else
                paragraphs_.append(text);
        }
    }

    ParagraphBuilder paragraphs_;
    QString html_;
    int images_ = 0;
    bool codeBlock_ = false;
    bool htmlBlock_ = false;
};

// YAML between a "---" line at the very top and the next "---" or "..." line.
QString withoutFrontMatter(const QString& markdown)
{
    static const QRegularExpression frontMatter(
        QStringLiteral("\\A---[ \\t]*\\r?\\n.*?^(?:---|\\.\\.\\.)[ \\t]*$\\r?\\n?"),
        QRegularExpression::MultilineOption | QRegularExpression::DotMatchesEverythingOption);
    return QString(markdown).remove(frontMatter);
}

} // namespace

BookText readMarkdown(const QString& markdown)
{
    return MarkdownWalker().walk(withoutFrontMatter(markdown).toUtf8());
}

} // namespace formats
