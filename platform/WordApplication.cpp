#include "platform/WordApplication.h"

#include "platform/OutsideProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <stdexcept>

namespace platform {

namespace {

[[noreturn]] void refuse(const char* reason)
{
    throw std::runtime_error(reason);
}

} // namespace

WordApplication::WordApplication(const QString& profileFolder, const QString& workFolder,
                                 std::chrono::milliseconds timeLimit)
    : soffice_(QStandardPaths::findExecutable(QStringLiteral("soffice")))
    , profileFolder_(profileFolder)
    , workFolder_(workFolder)
    , timeLimit_(timeLimit)
{
    if (soffice_.isEmpty())
        refuse("No word processor (soffice) is installed");
}

void WordApplication::DocumentsOpen(const QString& path)
{
    if (!QFileInfo(path).isFile())
        refuse("The document is not there");
    // An absolute path cannot be taken for an option, whatever the file is called.
    document_ = QFileInfo(path).absoluteFilePath();
}

// LibreOffice names its output after the document, in a folder it is given; a folder of this
// conversion's own keeps two programs from writing the same name.
void WordApplication::ActiveDocumentSaveAs(const QString& path, int fileFormat)
{
    if (document_.isEmpty())
        refuse("No document is open");
    if (fileFormat != wdFormatText)
        refuse("Only plain text can be saved");
    const QTemporaryDir output(QDir(workFolder_).filePath(QStringLiteral("convert-XXXXXX")));
    if (!output.isValid())
        refuse("No folder for the conversion");
    convert(output.path());
    const QString text =
        QDir(output.path())
            .filePath(QFileInfo(document_).completeBaseName() + QStringLiteral(".txt"));
    if (!QFileInfo(text).isFile())
        refuse("The word processor could not read the document");
    QFile::remove(path);
    if (!QFile::rename(text, path))
        refuse("The text could not be saved");
}

void WordApplication::Quit()
{
    document_.clear();
}

void WordApplication::convert(const QString& outputFolder) const
{
    const QStringList arguments{
        QStringLiteral("--headless"),
        QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profileFolder_).toString(),
        QStringLiteral("--convert-to"),
        QStringLiteral("txt:Text (encoded):UTF8"),
        QStringLiteral("--outdir"),
        outputFolder,
        document_,
    };
    if (runToEnd(soffice_, arguments, timeLimit_) != ProgramEnd::Finished)
        refuse("The word processor did not finish");
}

} // namespace platform
