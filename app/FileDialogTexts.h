// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

// What a file dialog shows, kept under the dialog's name while the program runs so that a
// language file finds it: the title, the file types as "description|masks" pairs joined by "|",
// and the extension added to a name typed without one.
class FileDialogTexts : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Title MEMBER title)

public:
    FileDialogTexts(QObject* parent, const char* name, QString fileTypes, QString defaultSuffix);

    QString title;
    QString fileTypes;
    QString defaultSuffix;
};

// The classic dialog names its file types its filter, which language files may replace.
class ClassicFileDialogTexts final : public FileDialogTexts {
    Q_OBJECT
    Q_PROPERTY(QString Filter MEMBER fileTypes)

public:
    using FileDialogTexts::FileDialogTexts;
};

// A text a dialog shows beside its own: a choice's caption, or a question that follows it; kept
// under its name while the program runs so that a language file finds it.
class DialogText final : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption MEMBER caption)

public:
    DialogText(QObject* parent, const char* name, QString caption);

    QString caption;
};

// The dialogs of the main window, each in its classic and its newer form, the choices the
// export's dialog adds, and its question before files besides the chosen one are replaced.
struct WindowFileDialogs {
    explicit WindowFileDialogs(QObject* window);

    ClassicFileDialogTexts* OpenDialog1;
    FileDialogTexts* FileOpenDialog1;
    ClassicFileDialogTexts* SaveDialogTxt;
    FileDialogTexts* FileSaveDialogTxt;
    ClassicFileDialogTexts* SaveDialogWav;
    FileDialogTexts* FileSaveDialogWav;
    DialogText* ExportByChapter;
    DialogText* ExportSubtitles;
    DialogText* ExportReplaces;
};
