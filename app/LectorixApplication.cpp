#include "app/LectorixApplication.h"

LectorixApplication::LectorixApplication(int& argc, char** argv, ErrorBox& errorBox)
    : QApplication(argc, argv)
    , errorBox_(errorBox)
{
    setApplicationName(QStringLiteral("Lectorix2009"));
}

bool LectorixApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    errorBox_.reportErrorsOf([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
