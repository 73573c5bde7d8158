// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/MessageBoxes.h"

#include <QApplication>

// The application object. Handlers catch their own errors at their edge; one that still escapes
// into an event is shown in the error box here, and the program goes on.
class LectorixApplication final : public QApplication {
    Q_OBJECT

public:
    LectorixApplication(int& argc, char** argv, MessageBoxes& messageBoxes);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageBoxes& messageBoxes_;
};
