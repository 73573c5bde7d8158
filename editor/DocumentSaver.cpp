// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/DocumentSaver.h"

#include "documents/DocumentTypes.h"
#include "documents/EditorLoader.h"
#include "formats/FileWriting.h"
#include "formats/rtf/RtfWriter.h"

#include <QStringEncoder>
#include <QTextDocument>
#include <QTextEdit>
#include <stdexcept>

namespace editor {
namespace {

using documents::EditorFileMode;

EditorFileMode modeOf(const QString& path)
{
    return documents::extensionOf(path) == QLatin1String(".rtf") ? EditorFileMode::Rich
                                                                 : EditorFileMode::Plain;
}

} // namespace

DocumentSaver::DocumentSaver(QTextEdit& editor, documents::EditorLoader& loader)
    : editor_(editor)
    , loader_(loader)
{
}

void DocumentSaver::save(const QString& chosenPath)
{
    if (chosenPath.isEmpty())
        return;
    const QString path = documents::pathAsChosen(chosenPath);
    const EditorFileMode mode = modeOf(path);
    loader_.setMode(mode);
    const QTextDocument& document = *editor_.document();
    const bool rich = mode == EditorFileMode::Rich;
    const auto failure = formats::replaceFile(path, rich ? formats::RtfWriter::write(document)
                                                         : plainTextFile(document));
    if (!failure)
        return;
    if (!failure->created)
        throw std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2")
                                     .arg(path, failure->reason)
                                     .toStdString());
    throw std::runtime_error(rich ? "Failed to Save Stream" : "Stream write error");
}

QByteArray plainTextFile(const QTextDocument& document)
{
    QString text = document.toRawText();
    text.replace(QChar::LineSeparator, QChar::ParagraphSeparator);
    // Marks of the document's structure and stand-ins for pictures are not text.
    text.remove(QChar(0xFDD0)).remove(QChar(0xFDD1)).remove(QChar::ObjectReplacementCharacter);
    QStringList lines = text.split(QChar::ParagraphSeparator);
    if (lines.last().isEmpty())
        lines.removeLast();
    QString file;
    for (const QString& line : lines)
        file += line + QStringLiteral("\r\n");
    QStringEncoder toUtf16(QStringConverter::Utf16LE);
    return QByteArray("\xFF\xFE", 2) + QByteArray(toUtf16(file));
}

} // namespace editor
