#pragma once

#include <QString>
#include <QStringList>

namespace documents {

// What opening a document does, by the extension of its path.
enum class DocumentHandling {
    LoadIntoEditor,
    Browse,
    ConvertWordDocument,
    ConvertPdf,
    Nothing,
};

// The part of the lower-cased path from its last full stop on, or empty when there is none or a
// "/" or ":" follows it.
QString extensionOf(const QString& path);
DocumentHandling handlingOf(const QString& extension);

// Letters A to Z made small; every other character stays as it is.
QString asciiLowerCase(const QString& text);
// A chosen path as it is opened and recorded: lower-cased where the file system folds case (the
// lower-cased path names the same file), as given where it tells case apart.
QString pathAsChosen(const QString& path);

// The history entries joined by commas, each quoted (inner quotes doubled) when it holds a blank,
// a control character, a comma or a double quote.
QString commaText(const QStringList& entries);
// Appends the entry unless the comma text of the history already holds it anywhere, or it holds a
// line break; an empty entry is always appended. Returns whether it was appended.
bool addAddressHistory(QStringList& history, const QString& entry);

} // namespace documents
