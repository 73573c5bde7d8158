// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "live/SelectionShortcut.h"

#include <QDialog>

class QKeySequenceEdit;
class QLabel;

// Where the user sets the key that reads what is selected in any program, and learns whether
// the desktop lets the program hear it.
class TFShortcut : public QDialog {
    Q_OBJECT

public:
    explicit TFShortcut(QWidget* parent = nullptr);

    // Shows the shortcut and whether the desktop lets it be heard, and gives it the combination
    // the user confirms.
    void edit(live::SelectionShortcut& shortcut);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showReach(live::SelectionShortcut::Reach reach);
    void keepFirstCombination();

    QKeySequenceEdit* HKReadSelection;
    QLabel* lblAsking;
    QLabel* lblUnavailable;
};
