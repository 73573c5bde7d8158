// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/BusyCursor.h"
#include "speech/ExportFeedback.h"

#include <QObject>
#include <utility>

class QProgressBar;

// What the window shows and takes while it exports: a busy cursor, the share done on the progress
// bar, its events handled between steps, and Escape to stop it.
class ExportProgress final : public QObject, public speech::ExportFeedback {
public:
    explicit ExportProgress(QProgressBar& bar);
    ~ExportProgress() override;
    ExportProgress(const ExportProgress&) = delete;
    ExportProgress& operator=(const ExportProgress&) = delete;

    bool goOn(double done) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QProgressBar& bar_;
    std::pair<int, int> levelRange_;
    platform::BusyCursor busy_;
    bool escaped_ = false;
};
