#pragma once

#include "app/ErrorBox.h"

#include <QApplication>

// The application object. An error that escapes a handler ends that handler only: it is shown in
// the error box and the program goes on.
class LectorixApplication final : public QApplication {
    Q_OBJECT

public:
    LectorixApplication(int& argc, char** argv, ErrorBox& errorBox);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    ErrorBox& errorBox_;
};
