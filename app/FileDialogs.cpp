#include "app/FileDialogs.h"

#include "app/FileDialogTexts.h"

#include <QFileDialog>

namespace {

// Qt reads a filter's masks from the last parentheses of its text, blank-separated.
QStringList qtFilters(const QString& fileTypes)
{
    const QStringList parts = fileTypes.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') +
                       u')';
    return filters;
}

void setUp(QFileDialog& dialog, const FileDialogTexts& texts)
{
    dialog.setObjectName(texts.objectName());
    if (!texts.title.isEmpty())
        dialog.setWindowTitle(texts.title);
    dialog.setNameFilters(qtFilters(texts.fileTypes));
    dialog.setDefaultSuffix(texts.defaultSuffix);
}

QString chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

QString QtFileDialogs::chooseFileToOpen(QWidget* parent, const FileDialogTexts& texts)
{
    QFileDialog dialog(parent);
    setUp(dialog, texts);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    return chosenFile(dialog);
}

QString QtFileDialogs::chooseFileToSave(QWidget* parent, const FileDialogTexts& texts)
{
    QFileDialog dialog(parent);
    setUp(dialog, texts);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return chosenFile(dialog);
}

QString QtFileDialogs::chooseFolder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title);
}
