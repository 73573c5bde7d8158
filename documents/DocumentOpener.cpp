// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/DocumentOpener.h"

#include "documents/BookLoader.h"
#include "documents/DocumentConverters.h"
#include "documents/DocumentTypes.h"
#include "documents/EditorLoader.h"
#include "platform/WebBrowser.h"

namespace documents {

DocumentOpener::DocumentOpener(EditorLoader& loader, BookLoader& books,
                               DocumentConverters& converters, platform::WebBrowser& browser)
    : loader_(loader)
    , books_(books)
    , converters_(converters)
    , browser_(browser)
{
}

bool DocumentOpener::OpenDocumentFile(const QString& path)
{
    switch (handlingOf(extensionOf(path))) {
    case DocumentHandling::LoadIntoEditor:
        loader_.load(path);
        return true;
    case DocumentHandling::ConvertWordDocument:
        converters_.LoadDocFile(path);
        return true;
    case DocumentHandling::ConvertPdf:
        converters_.LoadPdfFile(path);
        return true;
    case DocumentHandling::ReadEpub:
        books_.loadEpub(path);
        return true;
    case DocumentHandling::ReadMarkdown:
        books_.loadMarkdown(path);
        return true;
    case DocumentHandling::Browse:
        browser_.Navigate(path);
        return true;
    case DocumentHandling::Nothing:
        break;
    }
    return false;
}

} // namespace documents
