#pragma once

#include <QString>

class QTextEdit;

namespace platform {
class WebBrowser;
}

namespace documents {

class DocumentConverters;
class EditorLoader;

// The one type dispatch that every way of opening a document ends in.
class DocumentOpener {
public:
    DocumentOpener(QTextEdit& editor, EditorLoader& loader, DocumentConverters& converters,
                   platform::WebBrowser& browser);

    // Does what the path's extension calls for; returns whether the extension is one the
    // program handles. A load that fails throws, after the editor was cleared; a conversion
    // leaves the editor as it was until its text is there.
    bool OpenDocumentFile(const QString& path);

private:
    QTextEdit& editor_;
    EditorLoader& loader_;
    DocumentConverters& converters_;
    platform::WebBrowser& browser_;
};

} // namespace documents
