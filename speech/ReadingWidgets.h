// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/ReadingControl.h"

#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTextEdit>

namespace speech {

// The controls that reading aloud works on, set up as the window lays them out, for reading and
// exporting without the window.
struct ReadingWidgets {
    ReadingWidgets()
    {
        voices.setEditable(true);
        voices.setInsertPolicy(QComboBox::NoInsert);
        rate.setRange(-10, 10);
        volume.setRange(0, 100);
        progress.setRange(0, 10);
    }

    ReadingControls controls()
    {
        return {editor, voices, rate, rateLabel, volume, volumeLabel, progress};
    }

    QTextEdit editor;
    QComboBox voices;
    QSlider rate;
    QLabel rateLabel;
    QSlider volume;
    QLabel volumeLabel;
    QProgressBar progress;
};

} // namespace speech
