// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/DocumentConverters.h"

#include "documents/ConversionLock.h"
#include "documents/DocumentFile.h"
#include "documents/EditorLoader.h"
#include "platform/BusyCursor.h"
#include "platform/OutsideProgram.h"
#include "platform/WordApplication.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <stdexcept>

namespace documents {

namespace {

// Why the converters' text cannot be left in the data folder; empty when it can.
QString unwritable(const QString& dataFolder)
{
    const QFileInfo folder(dataFolder);
    if (folder.isDir() && folder.isWritable())
        return {};
    return QStringLiteral("The data folder \"%1\" cannot be written")
        .arg(QDir::cleanPath(dataFolder));
}

// pdftotext runs quiet, so its exit status is all it tells; empty when it wrote the text.
QString pdftotextFailure(const platform::ProgramRun& run, const QString& pdf,
                         const QString& dataFolder, std::chrono::milliseconds limit)
{
    switch (run.end) {
    case platform::ProgramEnd::NotStarted:
        return QStringLiteral("pdftotext does not start");
    case platform::ProgramEnd::Stopped:
        return QStringLiteral("pdftotext did not finish within %1 seconds")
            .arg(std::chrono::duration_cast<std::chrono::seconds>(limit).count());
    case platform::ProgramEnd::Crashed:
        return QStringLiteral("pdftotext stopped unexpectedly");
    case platform::ProgramEnd::Interrupted:
        return QStringLiteral("pdftotext was stopped");
    case platform::ProgramEnd::Finished:
        break;
    }
    switch (run.exitCode) {
    case 0:
        return {};
    case 1: {
        // Status 1 is also a file that cannot be read at all, where the system says why.
        QFile file(pdf);
        return file.open(QIODevice::ReadOnly)
                   ? QStringLiteral("It is damaged, needs a password, or is not a PDF file")
                   : file.errorString();
    }
    case 2:
        return unwritable(dataFolder);
    case 3:
        return QStringLiteral("Copying its text is not allowed");
    default:
        return QStringLiteral("pdftotext ended with status %1").arg(run.exitCode);
    }
}

} // namespace

DocumentConverters::DocumentConverters(EditorLoader& loader, ConverterSetup setup,
                                       std::function<void(const QString&)> showMessage)
    : loader_(loader)
    , setup_(std::move(setup))
    , showMessage_(std::move(showMessage))
{
}

// The text file is removed however the conversion ends, and before it starts: a text left by an
// earlier run must not pass for this document's.
bool DocumentConverters::LoadDocFile(const QString& path)
{
    try {
        const QString dataFolder = writableDataFolder();
        const QString output = dataFolder + QStringLiteral("tempdoc.txt");
        const platform::BusyCursor busy;
        const ConversionLock lock(dataFolder, setup_.timeLimit, path);
        QFile::remove(output);
        const auto removeOutput = qScopeGuard([&] { QFile::remove(output); });
        convertWordDocument(path, dataFolder, output);
        loader_.load(output);
        return true;
    } catch (const ConversionLock::Busy& busy) {
        showMessage_(QString::fromStdString(busy.what()));
    } catch (const platform::WordApplication::NotInstalled&) {
        showMessage_(QString::fromUtf8(NoWordProcessor));
    } catch (const std::exception& error) {
        // Unlike the error box, the message box adds no full stop.
        QString message =
            QStringLiteral("Cannot convert \"%1\". %2").arg(path, QString::fromUtf8(error.what()));
        if (!message.endsWith(u'.'))
            message += u'.';
        showMessage_(message);
    }
    return false;
}

// Found out before the conversion lock, which would wait its whole time for a lock file it can
// never write, and then blame another copy of the program.
QString DocumentConverters::writableDataFolder() const
{
    const QString folder = setup_.dataFolder();
    if (const QString reason = unwritable(folder); !reason.isEmpty())
        throw std::runtime_error(reason.toStdString());
    return folder;
}

void DocumentConverters::convertWordDocument(const QString& path, const QString& dataFolder,
                                             const QString& output)
{
    platform::WordApplication word(dataFolder + QStringLiteral("LibreOffice"), dataFolder,
                                   setup_.timeLimit);
    word.DocumentsOpen(path);
    word.ActiveDocumentSaveAs(output, platform::WordApplication::wdFormatText);
    word.Quit();
}

bool DocumentConverters::LoadPdfFile(const QString& path)
{
    const QString converter = setup_.systemFolder + QStringLiteral("pdftotext");
    if (!QFileInfo(converter).isFile())
        return false;
    QString dataFolder;
    try {
        dataFolder = writableDataFolder();
    } catch (const std::runtime_error& error) {
        cannotOpen(path, QString::fromUtf8(error.what()));
    }
    const QString output = dataFolder + QStringLiteral("temppdf.txt");
    const platform::BusyCursor busy;
    const ConversionLock lock(dataFolder, setup_.timeLimit, path);
    QFile::remove(output);
    const auto removeOutput = qScopeGuard([&] { QFile::remove(output); });
    // An absolute path cannot be taken for an option, whatever the file is called.
    const QString pdf = QFileInfo(path).absoluteFilePath();
    const platform::ProgramRun run =
        platform::runToEnd(converter, {QStringLiteral("-q"), pdf, output}, setup_.timeLimit);
    if (const QString reason = pdftotextFailure(run, pdf, dataFolder, setup_.timeLimit);
        !reason.isEmpty())
        cannotOpen(path, reason);
    if (!QFileInfo(output).isFile())
        cannotOpen(path, QStringLiteral("pdftotext wrote no text"));
    loader_.load(output);
    return true;
}

} // namespace documents
