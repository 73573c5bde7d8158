#include "documents/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace documents {

BusyCursor::BusyCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

} // namespace documents
