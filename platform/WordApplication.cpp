// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WordApplication.h"

#include "platform/OutsideProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace platform {

namespace {

[[noreturn]] void refuse(const QString& reason)
{
    throw std::runtime_error(reason.toStdString());
}

// LibreOffice tells why in lines of their own on its standard error and ends with status 0 all
// the same; its warnings (no Java) are no reason.
QString reasonForNoText(const ProgramRun& run)
{
    static const QString errorMark = QStringLiteral("Error: ");
    QStringList errors;
    for (const QString& line : run.standardError.split(u'\n'))
        if (line.startsWith(errorMark))
            errors << line.mid(errorMark.size()).trimmed();
    if (!errors.isEmpty())
        return QStringLiteral("LibreOffice: ") + errors.join(QStringLiteral("; "));
    if (run.exitCode != 0)
        return QStringLiteral("LibreOffice ended with status %1").arg(run.exitCode);
    return QStringLiteral("LibreOffice wrote no text");
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
        throw NotInstalled("No word processor (soffice) is installed");
}

void WordApplication::DocumentsOpen(const QString& path)
{
    const QFileInfo document(path);
    if (!document.exists())
        refuse(QStringLiteral("No such file or directory"));
    if (!document.isFile())
        refuse(QStringLiteral("It is not a regular file"));
    // An absolute path cannot be taken for an option, whatever the file is called.
    document_ = document.absoluteFilePath();
}

// LibreOffice names its output after the document, in a folder it is given; a folder of this
// conversion's own keeps two programs from writing the same name.
void WordApplication::ActiveDocumentSaveAs(const QString& path, int fileFormat)
{
    if (document_.isEmpty())
        refuse(QStringLiteral("No document is open"));
    if (fileFormat != wdFormatText)
        refuse(QStringLiteral("Only plain text can be saved"));
    const QTemporaryDir output(QDir(workFolder_).filePath(QStringLiteral("convert-XXXXXX")));
    if (!output.isValid())
        refuse(QStringLiteral("No folder for the conversion"));
    const ProgramRun run = convert(output.path());
    const QString text =
        QDir(output.path())
            .filePath(QFileInfo(document_).completeBaseName() + QStringLiteral(".txt"));
    if (!QFileInfo(text).isFile())
        refuse(reasonForNoText(run));
    QFile::remove(path);
    if (!QFile::rename(text, path))
        refuse(QStringLiteral("The text could not be saved"));
}

void WordApplication::Quit()
{
    document_.clear();
}

ProgramRun WordApplication::convert(const QString& outputFolder) const
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
    const ProgramRun run = runToEnd(soffice_, arguments, timeLimit_);
    switch (run.end) {
    case ProgramEnd::NotStarted:
        throw NotInstalled("The word processor (soffice) does not start");
    case ProgramEnd::Stopped:
        refuse(QStringLiteral("LibreOffice did not finish within %1 seconds")
                   .arg(std::chrono::duration_cast<std::chrono::seconds>(timeLimit_).count()));
    case ProgramEnd::Crashed:
        refuse(QStringLiteral("LibreOffice stopped unexpectedly"));
    case ProgramEnd::Interrupted:
        refuse(QStringLiteral("LibreOffice was stopped"));
    case ProgramEnd::Finished:
        break;
    }
    return run;
}

} // namespace platform
