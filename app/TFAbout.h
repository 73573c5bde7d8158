// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

// The about box: the product name with its year, and a button that closes it.
class TFAbout : public QDialog {
    Q_OBJECT

public:
    explicit TFAbout(QWidget* parent = nullptr);

    // Shows the box modally, unless it is showing already.
    void showModal();
};
