// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/TFmain.h"
#include "bench/NotingSink.h"

#include <optional>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QToolButton>

// The time from a press of the window's Read aloud button to the first sound reaching its output.
class FirstSound {
public:
    // The output to give the window: silent, paced in real time, and noting the first sound.
    audio::PcmSinkFactory output()
    {
        return [this](int rate) {
            return std::make_unique<NotingSink>(rate, [this] {
                if (!heardMs_)
                    heardMs_ = sincePress_.nsecsElapsed() / 1e6;
            });
        };
    }

    // Presses Read aloud, waits for the sound and stops the reading.
    double afterReadAloud(TFmain& window)
    {
        heardMs_.reset();
        sincePress_.start();
        window.findChild<QToolButton*>(QStringLiteral("BtnAloud"))->click();
        while (!heardMs_)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        window.BtnStopClick();
        return *heardMs_;
    }

private:
    QElapsedTimer sincePress_;
    std::optional<double> heardMs_;
};
