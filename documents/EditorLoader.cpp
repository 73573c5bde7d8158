// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/EditorLoader.h"

#include "documents/DocumentFile.h"
#include "documents/DocumentTypes.h"
#include "formats/rtf/RtfReader.h"
#include "formats/TextDecoding.h"
#include "platform/BusyCursor.h"
#include "platform/EditorContent.h"

#include <QTextEdit>
#include <stdexcept>

namespace documents {

EditorLoader::EditorLoader(QTextEdit& editor)
    : editor_(editor)
{
}

// An ".rtf" file is rich text whatever the last save chose: the mode only says how other files
// that hold RTF are shown.
void EditorLoader::load(const QString& path)
{
    const DocumentFile file(path, MaxFileBytes);
    const platform::BusyCursor busy;
    const QByteArray bytes = file.readAll();
    const bool rich = mode_ == EditorFileMode::Rich || extensionOf(path) == QLatin1String(".rtf");
    if (rich && formats::RtfReader::looksLikeRtf(bytes)) {
        try {
            loadRichText(bytes);
            return;
        } catch (const std::runtime_error&) {
            // Bytes that do not parse as RTF are shown as the text they are.
        }
    }
    platform::loadEditorText(editor_, formats::decodeByByteOrderMark(bytes));
}

// The text keeps its own alignment unless one was chosen for the whole editor.
void EditorLoader::loadRichText(const QByteArray& bytes)
{
    formats::RtfReader::read(bytes, *editor_.document());
    platform::alignWithoutUndo(*editor_.document());
}

} // namespace documents
