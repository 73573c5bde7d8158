// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "documents/DocumentTypes.h"

#include <functional>
#include <QString>

namespace platform {
class WebBrowser;
}

namespace documents {

class BookLoader;
class DocumentConverters;
class EditorLoader;

// The one type dispatch that every way of opening a document ends in.
class DocumentOpener {
public:
    DocumentOpener(EditorLoader& loader, BookLoader& books, DocumentConverters& converters,
                   platform::WebBrowser& browser);

    // Does what the path's extension calls for; returns whether the extension is one the
    // program handles. A load or conversion that fails throws or tells why, and leaves the
    // editor as it was.
    bool OpenDocumentFile(const QString& path);
    // Told the path of each file whose text the editor now holds.
    void setTextLoadedHandler(std::function<void(const QString&)> handler);

private:
    // Whether the editor holds the file's text now.
    bool loadText(DocumentHandling handling, const QString& path);

    EditorLoader& loader_;
    BookLoader& books_;
    DocumentConverters& converters_;
    platform::WebBrowser& browser_;
    std::function<void(const QString&)> textLoaded_;
};

} // namespace documents
