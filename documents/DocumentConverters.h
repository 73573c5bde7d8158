// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <functional>
#include <QString>

namespace documents {

class EditorLoader;

// Where the converters find their programs and leave their text.
struct ConverterSetup {
    // The data folder, ending in "/", made when missing.
    std::function<QString()> dataFolder;
    // The folder pdftotext is taken from, ending in "/".
    QString systemFolder;
    // How long a converter may run before it is stopped.
    std::chrono::milliseconds timeLimit{std::chrono::seconds(60)};
};

// Turns documents the editor cannot read into text with outside programs, waiting for them to
// end, and loads the text by the editor load rule in place of the editor's text. Copies of the
// program convert one at a time (ConversionLock).
class DocumentConverters {
public:
    static constexpr const char* NoWordProcessor = "没有安装Word，请先安装Word.";

    DocumentConverters(EditorLoader& loader, ConverterSetup setup,
                       std::function<void(const QString&)> showMessage);

    // Each returns whether the editor holds the document's text now.
    // A word-processor document through the word processor. Never throws: a failure is told in
    // a message, NoWordProcessor when there is none, and leaves the editor as it was.
    bool LoadDocFile(const QString& path);
    // A PDF file through pdftotext; nothing happens without it. A failure throws
    // "Cannot open file "<path>". <reason>" and leaves the editor as it was.
    bool LoadPdfFile(const QString& path);

private:
    // The data folder; throws why the converters' text cannot be written there.
    QString writableDataFolder() const;
    void convertWordDocument(const QString& path, const QString& dataFolder, const QString& output);

    EditorLoader& loader_;
    ConverterSetup setup_;
    std::function<void(const QString&)> showMessage_;
};

} // namespace documents
