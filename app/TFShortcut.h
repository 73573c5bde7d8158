// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "live/SelectionShortcut.h"

#include <optional>
#include <QDialog>

class QKeySequenceEdit;
class QLabel;

// Where the user sets the key that reads what is selected in any program, and learns whether
// the desktop lets the program hear it.
class TFShortcut : public QDialog {
    Q_OBJECT

public:
    explicit TFShortcut(QWidget* parent = nullptr);

    // The combination chosen, or none when the user cancels.
    std::optional<QKeyCombination> choose(QKeyCombination current);
    void showReach(live::SelectionShortcut::Reach reach);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepFirstCombination();

    QKeySequenceEdit* HKReadSelection;
    QLabel* lblAsking;
    QLabel* lblUnavailable;
};
