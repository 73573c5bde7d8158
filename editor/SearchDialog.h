// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editor/SearchRequest.h"

#include <QDialog>

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

namespace editor {

// What the find and replace dialogs share: the text to find, Match whole word only and Match
// case, a Cancel button. They stay open beside the window until closed.
class SearchDialog : public QDialog {
    Q_OBJECT

public:
    // Shows the dialog, or brings it to the front when it is open already.
    void execute();
    SearchRequest searchRequest() const;

signals:
    // Find Next, the dialog's default button, was pressed.
    void findNext();

protected:
    SearchDialog(QWidget* parent, const QString& title);

    QGridLayout& grid() { return *grid_; }
    // A button on the right that can be pressed only while there is a text to find.
    QPushButton* addSearchButton(const QString& text, const char* name, int row);
    // Find Next, first on the right; Enter presses it.
    void addFindNextButton();
    // The two options, with a box beside them if there is one.
    void addOptions(int row, QWidget* beside = nullptr);
    void addCancel(int row);

private:
    QGridLayout* grid_ = nullptr;
    QLineEdit* findText_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
};

} // namespace editor
