#include "documents/EditorLoader.h"

#include "documents/DocumentFile.h"
#include "platform/BusyCursor.h"
#include "platform/RtfReader.h"
#include "platform/TextDecoding.h"

#include <QTextEdit>
#include <stdexcept>

namespace documents {

EditorLoader::EditorLoader(QTextEdit& editor)
    : editor_(editor)
{
}

void EditorLoader::load(const QString& path)
{
    const DocumentFile file(path, MaxFileBytes);
    const platform::BusyCursor busy;
    const QByteArray bytes = file.readAll();
    if (mode_ == EditorFileMode::Rich && platform::RtfReader::looksLikeRtf(bytes)) {
        try {
            platform::RtfReader::read(bytes, *editor_.document());
            return;
        } catch (const std::runtime_error&) {
            // Bytes that do not parse as RTF are shown as the text they are.
        }
    }
    loadPlainText(bytes);
}

// setPlainText gives the whole text the cursor's format, which after rich text is that of its
// last run; plain text is shown in the editor's own font and colour.
void EditorLoader::loadPlainText(const QByteArray& bytes)
{
    editor_.setCurrentCharFormat(QTextCharFormat());
    editor_.setPlainText(platform::decodeByByteOrderMark(bytes));
}

} // namespace documents
