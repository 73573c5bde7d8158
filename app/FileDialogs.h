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
};

// Qt's file dialog, the desktop's own where it has one. The file chosen need not exist.
class QtFileDialogs final : public FileDialogs {
public:
    QString chooseFileToOpen(QWidget* parent, Style style) override;
};
