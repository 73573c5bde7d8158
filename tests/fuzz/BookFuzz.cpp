// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/books/EpubReader.h"
#include "formats/books/MarkdownText.h"
#include "formats/books/ParagraphBuilder.h"
#include "formats/books/XhtmlText.h"

#include <cstddef>
#include <cstdint>
#include <QGuiApplication>

// Reading loose HTML takes Qt's text layout, which needs an application, as the program has.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

// Any bytes as an EPUB archive, an XHTML document and Markdown: text or a reason, never a crash,
// a hang or a leak.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        formats::readEpub(bytes);
    } catch (const formats::BookError&) {
    }
    formats::ParagraphBuilder paragraphs;
    formats::appendXhtmlText(bytes, paragraphs);
    formats::readMarkdown(QString::fromUtf8(bytes));
    return 0;
}
