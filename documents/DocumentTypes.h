// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace documents {

// What opening a document does, by the extension of its path.
enum class DocumentHandling {
    LoadIntoEditor,
    Browse,
    ConvertWordDocument,
    ConvertPdf,
    ReadEpub,
    ReadMarkdown,
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

} // namespace documents
