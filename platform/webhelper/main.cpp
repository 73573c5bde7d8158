// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/webhelper/RequestChannel.h"

#include <QGuiApplication>

// Reads web pages for the window, which need not load Chromium itself: see RequestChannel.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QGuiApplication application(argc, argv);
    const platform::RequestChannel channel;
    return QGuiApplication::exec();
}
