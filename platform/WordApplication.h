// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <QString>
#include <stdexcept>

namespace platform {

struct ProgramRun;

// The word processor as an automation server, realised by LibreOffice without a window: the
// document opened is converted when it is saved. A call the word processor refuses throws
// std::runtime_error with the reason, for the user to read.
class WordApplication {
public:
    // There is no word processor to ask: soffice is not on the PATH, or does not start.
    struct NotInstalled : std::runtime_error {
        using std::runtime_error::runtime_error;
    };

    // The word processor's number for plain text.
    static constexpr int wdFormatText = 2;

    // Finds soffice on the PATH. Its settings are kept in the profile folder, apart from any
    // LibreOffice the user runs; the work folder takes what it writes on the way.
    WordApplication(const QString& profileFolder, const QString& workFolder,
                    std::chrono::milliseconds timeLimit);

    // Documents.Open
    void DocumentsOpen(const QString& path);
    // ActiveDocument.SaveAs: the text of the document, in UTF-8, replaces the file at path.
    void ActiveDocumentSaveAs(const QString& path, int fileFormat);
    // Ends the instance; no process of it is left running.
    void Quit();

private:
    ProgramRun convert(const QString& outputFolder) const;

    QString soffice_;
    QString profileFolder_;
    QString workFolder_;
    std::chrono::milliseconds timeLimit_;
    QString document_;
};

} // namespace platform
