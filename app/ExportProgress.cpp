#include "app/ExportProgress.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QProgressBar>

ExportProgress::ExportProgress(QProgressBar& bar)
    : bar_(bar)
{
    QCoreApplication::instance()->installEventFilter(this);
}

ExportProgress::~ExportProgress()
{
    QCoreApplication::instance()->removeEventFilter(this);
    bar_.setValue(bar_.minimum());
}

bool ExportProgress::goOn(double done)
{
    const int span = bar_.maximum() - bar_.minimum();
    bar_.setValue(bar_.minimum() + static_cast<int>(std::clamp(done, 0.0, 1.0) * span));
    QCoreApplication::processEvents();
    return !escaped_;
}

bool ExportProgress::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        escaped_ = true;
        return true;
    }
    return QObject::eventFilter(watched, event);
}
