// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/DocumentOpener.h"

#include "documents/DocumentConverters.h"
#include "documents/DocumentTypes.h"
#include "documents/EditorLoader.h"
#include "platform/WebBrowser.h"

namespace documents {

DocumentOpener::DocumentOpener(EditorLoader& loader, DocumentConverters& converters,
                               platform::WebBrowser& browser)
    : loader_(loader)
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
    case DocumentHandling::Browse:
        browser_.Navigate(path);
        return true;
    case DocumentHandling::Nothing:
        break;
    }
    return false;
}

} // namespace documents
