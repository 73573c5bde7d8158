// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/LectorixApplication.h"
#include "app/MessageBoxes.h"
#include "app/TFmain.h"
#include "audio/QtPcmSink.h"
#include "engine/HelperEngine.h"
#include "platform/OpenFolder.h"
#include "platform/OsVersion.h"

#include <cstdio>
#include <QElapsedTimer>
#include <QSystemTrayIcon>
#include <QWindow>

// Start-up to the window on screen with every voice listed, as main() does it. Run it on a
// display (for instance under xvfb-run): build/bin/startup-bench
int main(int argc, char* argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QtMessageBoxes messageBoxes;
    LectorixApplication application(argc, argv, messageBoxes);
    const double applicationMs = sinceStart.nsecsElapsed() / 1e6;
    engine::HelperEngine speechEngine(engine::HelperEngine::defaultHelperPath(),
                                      audio::defaultPcmSinkFactory());
    QElapsedTimer voices;
    voices.start();
    speechEngine.voices();
    const double voicesMs = voices.nsecsElapsed() / 1e6;
    QtFileDialogs fileDialogs;
    editor::QtEditorDialogs editorDialogs;
    PlatformServices services{
        speechEngine,         messageBoxes,  &QSystemTrayIcon::isSystemTrayAvailable,
        fileDialogs,          editorDialogs, platform::osMajorVersion(),
        &platform::openFolder};
    TFmain window(services);
    window.showMaximized();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::printf("Start-up to the window shown: %.1f ms (application object %.1f ms, helper start "
                "and voice list %.1f ms)\n",
                sinceStart.nsecsElapsed() / 1e6, applicationMs, voicesMs);
    return 0;
}
