#pragma once

#include <QString>

class QTextEdit;

namespace documents {

class EditorLoader;

// The one type dispatch that every way of opening a document ends in.
class DocumentOpener {
public:
    DocumentOpener(QTextEdit& editor, EditorLoader& loader);

    // Does what the path's extension calls for; returns whether the extension is one the
    // program handles. A load that fails throws, after the editor was cleared.
    bool OpenDocumentFile(const QString& path);

private:
    QTextEdit& editor_;
    EditorLoader& loader_;
};

} // namespace documents
