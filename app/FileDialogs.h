// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/WavExport.h"

#include <QString>

class FileDialogTexts;
class QWidget;

// What the export's dialog gives: the file, and what is written besides its sound.
struct ExportChoice {
    QString path;
    speech::ExportOptions options;
};

// The file dialogs, shown with the texts kept under their names. Each gives the chosen path, or
// an empty text when cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    virtual QString chooseFileToOpen(QWidget* parent, const FileDialogTexts& dialog) = 0;
    // A file to write; the dialog asks before an existing one is chosen.
    virtual QString chooseFileToSave(QWidget* parent, const FileDialogTexts& dialog) = 0;
    // A file to save, with the choices of a file for each chapter and of subtitles, which the
    // captions name; both are as last chosen.
    virtual ExportChoice chooseExportFile(QWidget* parent, const FileDialogTexts& dialog,
                                          const QString& byChapter, const QString& subtitles) = 0;
    virtual QString chooseFolder(QWidget* parent, const QString& title) = 0;
};

// Qt's file dialog, the desktop's own where it has one; the export's is always Qt's own, as only
// that shows choices of the program's. The file chosen need not exist.
class QtFileDialogs final : public FileDialogs {
public:
    QString chooseFileToOpen(QWidget* parent, const FileDialogTexts& dialog) override;
    QString chooseFileToSave(QWidget* parent, const FileDialogTexts& dialog) override;
    ExportChoice chooseExportFile(QWidget* parent, const FileDialogTexts& dialog,
                                  const QString& byChapter, const QString& subtitles) override;
    QString chooseFolder(QWidget* parent, const QString& title) override;

private:
    speech::ExportOptions lastExport_;
};
