#pragma once

#include <QString>

class QWidget;

// The open dialogs: the classic one with its filter string, the newer one with its list of file
// types. Either gives the chosen path, or an empty text when cancelled.
class FileDialogs {
public:
    enum class Style { Classic, Newer };

    virtual ~FileDialogs() = default;

    virtual QString chooseFileToOpen(QWidget* parent, Style style) = 0;
    // A WAV file to write; an existing one is replaced without a question.
    virtual QString chooseWavFileToSave(QWidget* parent, Style style) = 0;
    // A text or RTF file to write, replaced without a question as well.
    virtual QString chooseTextFileToSave(QWidget* parent, Style style) = 0;
    virtual QString chooseFolder(QWidget* parent, const QString& title) = 0;
};

// Qt's file dialog, the desktop's own where it has one. The file chosen need not exist.
class QtFileDialogs final : public FileDialogs {
public:
    QString chooseFileToOpen(QWidget* parent, Style style) override;
    QString chooseWavFileToSave(QWidget* parent, Style style) override;
    QString chooseTextFileToSave(QWidget* parent, Style style) override;
    QString chooseFolder(QWidget* parent, const QString& title) override;
};
