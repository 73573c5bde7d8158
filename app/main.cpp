#include "app/ErrorBox.h"
#include "app/LectorixApplication.h"
#include "app/TFmain.h"
#include "platform/DisplayCheck.h"
#include "platform/EspeakEngine.h"
#include "platform/Ole.h"
#include "platform/QtPcmSink.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (const QString problem = platform::displayProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "lectorix: %s; start it in a desktop session or with xvfb-run.\n",
                     qPrintable(problem));
        return 1;
    }
    QtErrorBox errorBox;
    LectorixApplication application(argc, argv, errorBox);
    platform::CoInitialize();
    int status = 0;
    {
        platform::EspeakEngine speechEngine(platform::EspeakEngine::defaultHelperPath(),
                                            platform::defaultPcmSinkFactory());
        PlatformServices services{speechEngine, errorBox};
        TFmain window(services);
        window.showMaximized();
        status = QApplication::exec();
    }
    platform::CoUninitialize();
    return status;
}
