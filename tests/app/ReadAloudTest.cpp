// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"
#include "tests/app/AppTestMain.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TemporaryConfig.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QProgressBar>
#include <QTextEdit>

TEST(ReadAloud, TheWindowReadsItsTextThroughTheRealEngine)
{
    testsupport::TemporaryConfig config;
    testsupport::EngineUnderTest speech(true);
    testsupport::RecordingMessageBoxes messageBoxes;
    testsupport::ScriptedFileDialogs fileDialogs;
    testsupport::ScriptedEditorDialogs editorDialogs;
    PlatformServices services{speech.engine,        messageBoxes,  [] { return false; },
                              fileDialogs,          editorDialogs, 0,
                              [](const QString&) {}};
    TFmain window(services);
    window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
        ->setPlainText(QStringLiteral("Hello from the window."));
    window.findChild<QAbstractButton*>(QStringLiteral("BtnAloud"))->click();
    auto* bar = window.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    int highest = 0;
    EXPECT_TRUE(testsupport::waitUntil([&] {
        highest = std::max(highest, bar->value());
        return speech.secondsHeard() > 0.8;
    }));
    EXPECT_GT(testsupport::peakOf(speech.recording->heard), 3000);
    EXPECT_GE(highest, 5);
    EXPECT_TRUE(messageBoxes.errors.isEmpty());
}
