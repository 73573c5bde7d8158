// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/FileDialogs.h"
#include "app/FileDialogTexts.h"
#include "app/MessageBoxes.h"
#include "tests/support/ScriptedEditorDialogs.h"

#include <QStringList>

namespace testsupport {

// Records what the message boxes would have shown, and answers every question alike.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    void showError(const QString& message) override { errors << errorText(message); }
    void showMessage(const QString& caption, const QString& text) override
    {
        messages << caption + QLatin1Char('|') + text;
    }
    bool askYesNo(QWidget*, const QString& question) override
    {
        questions << question;
        return answer;
    }

    QStringList errors;
    QStringList messages;
    QStringList questions;
    bool answer = true;
};

// Answers the file dialogs with the paths it is given, one each time, and notes the names of
// the dialogs asked.
class ScriptedFileDialogs final : public FileDialogs {
public:
    QString chooseFileToOpen(QWidget*, const FileDialogTexts& dialog) override
    {
        dialogs << dialog.objectName();
        return nextAnswer();
    }
    QString chooseFileToSave(QWidget*, const FileDialogTexts& dialog) override
    {
        dialogs << dialog.objectName();
        return nextAnswer();
    }
    ExportChoice chooseExportFile(QWidget*, const FileDialogTexts& dialog, const QString&,
                                  const QString&) override
    {
        dialogs << dialog.objectName();
        return {nextAnswer(), exportOptions};
    }
    QString chooseFolder(QWidget*, const QString& title) override
    {
        folderTitles << title;
        return nextAnswer();
    }
    QString nextAnswer() { return answers.isEmpty() ? QString() : answers.takeFirst(); }

    QStringList answers;
    speech::ExportOptions exportOptions;
    QStringList dialogs;
    QStringList folderTitles;
};

// The message boxes of the application object these tests run under.
RecordingMessageBoxes& applicationMessageBoxes();

} // namespace testsupport
