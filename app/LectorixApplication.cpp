#include "app/LectorixApplication.h"

#include <QIcon>

LectorixApplication::LectorixApplication(int& argc, char** argv, MessageBoxes& messageBoxes)
    : QApplication(argc, argv)
    , messageBoxes_(messageBoxes)
{
    setApplicationName(QStringLiteral("Lectorix2009"));
    // The program ends when its main window closes, not when the last visible window does: the
    // window may be hidden in the notification area while a dialog closes.
    setQuitOnLastWindowClosed(false);
    setWindowIcon(QIcon(QStringLiteral(":/icons/lectorix.svg")));
}

bool LectorixApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    messageBoxes_.reportErrorsOf([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
