// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMenu>

// The editor's pop-up menu with its items under their own names.
class EditorMenu {
public:
    explicit EditorMenu(QWidget& window);

    QMenu* PMRight;
    QAction* NNCut;
    QAction* NNcopy;
    QAction* NNPaste;
    QAction* NNAloud;
    QAction* NNPause;
    QAction* NNStop;
};
