// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"
#include "tests/app/FakeServices.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTimer>

namespace {

struct ClipboardWindow : testing::Test, testsupport::FakeServices {
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb") ||
            QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
            GTEST_SKIP() << "needs Xvfb and xclip";
        window.show();
    }
    // Copies the text as another program would, which then holds the clipboard.
    static void copyElsewhere(const QString& text)
    {
        QProcess xclip;
        xclip.start(QStringLiteral("xclip"), {"-selection", "clipboard"});
        xclip.write(text.toUtf8());
        xclip.closeWriteChannel();
        ASSERT_TRUE(xclip.waitForFinished());
    }
    bool lastSpoken(const QString& text) const
    {
        return !engine.calls.isEmpty() && engine.calls.last() == QStringLiteral("speak ") + text;
    }

    testsupport::TemporaryConfig config;
    TFmain window{services};
};

} // namespace

// The whole window under a real X display: text copied in another program is spoken, and shown
// when asked, even with the window hidden.
TEST_F(ClipboardWindow, TextCopiedElsewhereIsSpokenAndShown)
{
    copyElsewhere(QStringLiteral("Copied in another program"));
    EXPECT_TRUE(testsupport::waitUntil([&] { return lastSpoken("Copied in another program"); }))
        << engine.calls.join(u'\n').toStdString();

    window.findChild<QCheckBox*>(QStringLiteral("CBShowClipBrdText"))->setChecked(true);
    window.hide();
    copyElsewhere(QStringLiteral("Shown in the editor"));
    const auto* editor = window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    EXPECT_TRUE(testsupport::waitUntil(
        [&] { return editor->toPlainText() == QStringLiteral("Shown in the editor"); }));
    EXPECT_TRUE(lastSpoken("Shown in the editor"));
    EXPECT_TRUE(messageBoxes.errors.isEmpty()) << messageBoxes.errors.join(u'\n').toStdString();
}

// A hundred copies in five seconds: the window keeps handling its events, and the last text is
// the one heard at the end.
TEST_F(ClipboardWindow, ARainOfCopiesLeavesTheWindowAnsweringAndSpeakingTheLast)
{
    QProcess copier;
    copier.start(QStringLiteral("sh"),
                 {"-c", "for i in $(seq 1 100); do printf \"copy $i\" | xclip -selection "
                        "clipboard; sleep 0.05; done"});
    QElapsedTimer sinceTick;
    qint64 longestGapMs = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestGapMs = std::max(longestGapMs, sinceTick.restart()); });
    sinceTick.start();
    ticker.start(10);
    EXPECT_TRUE(testsupport::waitUntil([&] { return copier.state() == QProcess::NotRunning; }));
    EXPECT_TRUE(testsupport::waitUntil([&] { return lastSpoken("copy 100"); }))
        << engine.calls.mid(engine.calls.size() - 4).join(u'\n').toStdString();
    EXPECT_LT(longestGapMs, 1000);
    EXPECT_GE(engine.calls.count(QStringLiteral("skip Sentence 2147483647")), 20);
}
