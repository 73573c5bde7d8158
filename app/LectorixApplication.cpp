// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/LectorixApplication.h"

#include <QIcon>

LectorixApplication::LectorixApplication(int& argc, char** argv, MessageBoxes& messageBoxes)
    : QApplication(argc, argv)
    , messageBoxes_(messageBoxes)
{
    // The window's X11 class; the desktop entry's StartupWMClass repeats it.
    setApplicationName(QStringLiteral("Lectorix2009"));
    // Desktops find the entry, and with it the icon, of the window by this name.
    setDesktopFileName(QStringLiteral(LECTORIX_APP_ID));
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
