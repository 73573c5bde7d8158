#include "app/TFmain.h"

#include <QApplication>

TFmain::TFmain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Fmain"));
    setWindowTitle(QApplication::applicationName());
    resize(800, 600);
}
