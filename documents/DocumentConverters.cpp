#include "documents/DocumentConverters.h"

#include "documents/ConversionLock.h"
#include "documents/EditorLoader.h"
#include "platform/BusyCursor.h"
#include "platform/OutsideProgram.h"
#include "platform/WordApplication.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <stdexcept>

namespace documents {

DocumentConverters::DocumentConverters(EditorLoader& loader, ConverterSetup setup,
                                       std::function<void(const QString&)> showMessage)
    : loader_(loader)
    , setup_(std::move(setup))
    , showMessage_(std::move(showMessage))
{
}

// The text file is removed however the conversion ends, and before it starts: a text left by an
// earlier run must not pass for this document's.
void DocumentConverters::LoadDocFile(const QString& path)
{
    try {
        const QString dataFolder = setup_.dataFolder();
        const QString output = dataFolder + QStringLiteral("tempdoc.txt");
        const platform::BusyCursor busy;
        const ConversionLock lock(dataFolder, setup_.timeLimit, path);
        QFile::remove(output);
        const auto removeOutput = qScopeGuard([&] { QFile::remove(output); });
        convertWordDocument(path, dataFolder, output);
        loader_.load(output);
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

void DocumentConverters::LoadPdfFile(const QString& path)
{
    const QString converter = setup_.systemFolder + QStringLiteral("pdftotext");
    if (!QFileInfo(converter).isFile())
        return;
    const QString dataFolder = setup_.dataFolder();
    const QString output = dataFolder + QStringLiteral("temppdf.txt");
    const platform::BusyCursor busy;
    const ConversionLock lock(dataFolder, setup_.timeLimit, path);
    QFile::remove(output);
    const auto removeOutput = qScopeGuard([&] { QFile::remove(output); });
    // An absolute path cannot be taken for an option, whatever the file is called.
    const QString pdf = QFileInfo(path).absoluteFilePath();
    const platform::ProgramRun run =
        platform::runToEnd(converter, {QStringLiteral("-q"), pdf, output}, setup_.timeLimit);
    if (run.end == platform::ProgramEnd::Stopped)
        throw std::runtime_error(
            QStringLiteral("Cannot open file \"%1\". pdftotext did not finish within %2 seconds")
                .arg(path)
                .arg(std::chrono::duration_cast<std::chrono::seconds>(setup_.timeLimit).count())
                .toStdString());
    loader_.load(output);
}

} // namespace documents
