#include "documents/EditorLoader.h"

#include "platform/RtfReader.h"
#include "platform/TextDecoding.h"

#include <QFile>
#include <QTextEdit>
#include <stdexcept>

namespace documents {

EditorLoader::EditorLoader(QTextEdit& editor)
    : editor_(editor)
{
}

void EditorLoader::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2")
                                     .arg(path, file.errorString())
                                     .toStdString());
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
