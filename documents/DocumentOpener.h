// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

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

private:
    EditorLoader& loader_;
    BookLoader& books_;
    DocumentConverters& converters_;
    platform::WebBrowser& browser_;
};

} // namespace documents
