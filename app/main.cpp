#include "app/TFmain.h"
#include "platform/DisplayCheck.h"

#include <cstdio>
#include <QApplication>

int main(int argc, char* argv[])
{
    if (const QString problem = platform::displayProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "lectorix: %s; start it in a desktop session or with xvfb-run.\n",
                     qPrintable(problem));
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lectorix2009"));
    TFmain window;
    window.show();
    return QApplication::exec();
}
