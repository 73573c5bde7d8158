// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;
class QTextEdit;

namespace documents {
class EditorLoader;
}

namespace editor {

// Saves the editor's content in the file mode the file's extension picks: ".rtf" as RTF, any
// other as UTF-16 text. The mode stays for later loads.
class DocumentSaver {
public:
    DocumentSaver(QTextEdit& editor, documents::EditorLoader& loader);

    // An empty path (a cancelled dialog) saves nothing. The mode is set before the write, so it
    // changes even when the write fails. A file of that name is replaced whole or not at all.
    // Throws "Cannot create file "<path>". <reason>", or "Failed to Save Stream" (RTF) and "Stream
    // write error" (text) when the file is made but not written.
    void save(const QString& chosenPath);

private:
    QTextEdit& editor_;
    documents::EditorLoader& loader_;
};

// The bytes FF FE, then each paragraph in UTF-16LE ended by CR LF; a last paragraph that is
// empty is not written.
QByteArray plainTextFile(const QTextDocument& document);

} // namespace editor
