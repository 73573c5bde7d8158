// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/NullPcmSink.h"
#include "engine/HelperEngine.h"
#include "speech/ExportFeedback.h"
#include "speech/ReadingControl.h"
#include "speech/VoiceHolder.h"
#include "tests/support/ReadingWidgets.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QSlider>
#include <QTextEdit>

// An export's feedback that handles pending events, as the window's does.
struct EventsFeedback final : speech::ExportFeedback {
    bool goOn(double) override
    {
        QCoreApplication::processEvents();
        return true;
    }
};

// The reading controls over the real engine with a silent output, as the window sets them up.
struct ReadingRig {
    ReadingRig()
    {
        widgets.volume.setValue(80);
        reading.fillVoiceList(0);
    }

    engine::HelperEngine engine{engine::HelperEngine::defaultHelperPath(),
                                [](int rate) { return std::make_unique<audio::NullPcmSink>(rate); },
                                QStringLiteral("en-us")};
    speech::VoiceHolder holder{engine};
    testsupport::ReadingWidgets widgets;
    QTextEdit& editor = widgets.editor;
    speech::ReadingControl reading{holder, widgets.controls()};
    EventsFeedback feedback;
};
