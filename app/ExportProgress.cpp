// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ExportProgress.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QProgressBar>

namespace {

// Fine enough for a long book to move the bar every few seconds.
constexpr int Steps = 1000;

} // namespace

// The bar shows sound levels in its own range the rest of the time.
ExportProgress::ExportProgress(QProgressBar& bar)
    : bar_(bar)
    , levelRange_(bar.minimum(), bar.maximum())
{
    bar_.setRange(0, Steps);
    bar_.setValue(0);
    QCoreApplication::instance()->installEventFilter(this);
}

ExportProgress::~ExportProgress()
{
    QCoreApplication::instance()->removeEventFilter(this);
    bar_.setRange(levelRange_.first, levelRange_.second);
    bar_.setValue(bar_.minimum());
}

bool ExportProgress::goOn(double done)
{
    bar_.setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * Steps));
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
