// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/DocumentOpener.h"

#include "documents/BookLoader.h"
#include "documents/DocumentConverters.h"
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
    const DocumentHandling handling = handlingOf(extensionOf(path));
    if (handling == DocumentHandling::Nothing)
        return false;
    if (handling == DocumentHandling::Browse)
        browser_.Navigate(path);
    else if (loadText(handling, path) && textLoaded_)
        textLoaded_(path);
    return true;
}

void DocumentOpener::setTextLoadedHandler(std::function<void(const QString&)> handler)
{
    textLoaded_ = std::move(handler);
}

bool DocumentOpener::loadText(DocumentHandling handling, const QString& path)
{
    switch (handling) {
    case DocumentHandling::ConvertWordDocument:
        return converters_.LoadDocFile(path);
    case DocumentHandling::ConvertPdf:
        return converters_.LoadPdfFile(path);
    case DocumentHandling::ReadEpub:
        books_.loadEpub(path);
        return true;
    case DocumentHandling::ReadMarkdown:
        books_.loadMarkdown(path);
        return true;
    default:
        loader_.load(path);
        return true;
    }
}

} // namespace documents
