// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class FileDialogTexts;
class QWidget;

// The file dialogs, shown with the texts kept under their names. Each gives the chosen path, or
// an empty text when cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    virtual QString chooseFileToOpen(QWidget* parent, const FileDialogTexts& dialog) = 0;
    // A file to write; the dialog asks before an existing one is chosen.
    virtual QString chooseFileToSave(QWidget* parent, const FileDialogTexts& dialog) = 0;
    virtual QString chooseFolder(QWidget* parent, const QString& title) = 0;
};

// Qt's file dialog, the desktop's own where it has one. The file chosen need not exist.
class QtFileDialogs final : public FileDialogs {
public:
    QString chooseFileToOpen(QWidget* parent, const FileDialogTexts& dialog) override;
    QString chooseFileToSave(QWidget* parent, const FileDialogTexts& dialog) override;
    QString chooseFolder(QWidget* parent, const QString& title) override;
};
