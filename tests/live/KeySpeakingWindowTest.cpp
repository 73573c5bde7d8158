// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"
#include "tests/app/FakeServices.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/WaitUntil.h"

#include <gmock/gmock.h>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequenceEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

namespace {

bool keysCanBeTyped()
{
    return QGuiApplication::platformName() == QLatin1String("xcb") &&
           !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

} // namespace

// The whole window under a real X display: a key typed anywhere is spoken, shown or hidden.
TEST(KeySpeakingWindow, ATypedKeyIsSpokenEvenWhenTheWindowIsHidden)
{
    if (!keysCanBeTyped())
        GTEST_SKIP() << "needs Xvfb and xdotool";
    testsupport::TemporaryConfig config;
    testsupport::FakeServices fakes;
    TFmain window(fakes.services);
    window.show();
    const auto spoken = [&](const QString& key) {
        return fakes.engine.calls.contains(QStringLiteral("speak-key ") + key);
    };
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "a"}), 0);
    EXPECT_TRUE(testsupport::waitUntil([&] { return spoken(QStringLiteral("A")); }))
        << fakes.engine.calls.join(u'\n').toStdString();
    window.hide();
    EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "KP_7"}), 0);
    EXPECT_TRUE(testsupport::waitUntil([&] { return spoken(QStringLiteral("7")); }));
    EXPECT_TRUE(window.findChild<QCheckBox*>(QStringLiteral("CBSpeakKeyAll"))->toolTip().isEmpty());
    EXPECT_TRUE(fakes.messageBoxes.errors.isEmpty());
}

// The shortcut reads what is selected in any program, its own keys unspoken; the one chosen in
// its dialog replaces it and is kept for the next start.
TEST(KeySpeakingWindow, TheShortcutReadsTheSelectionAndCanBeChanged)
{
    if (!keysCanBeTyped())
        GTEST_SKIP() << "needs Xvfb and xdotool";
    testsupport::TemporaryConfig config;
    {
        testsupport::FakeServices fakes;
        TFmain window(fakes.services);
        window.findChild<QCheckBox*>(QStringLiteral("CBSpeakClipBrd"))->setChecked(false);
        QGuiApplication::clipboard()->setText(QStringLiteral("Selected words"),
                                              QClipboard::Selection);
        const auto heard = [&] {
            return fakes.engine.calls.filter(QRegularExpression(QStringLiteral("^speak")));
        };
        EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "ctrl+alt+space"}), 0);
        EXPECT_TRUE(testsupport::waitUntil([&] { return !heard().isEmpty(); }));
        EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "x"}), 0);
        EXPECT_TRUE(testsupport::waitUntil([&] { return heard().size() > 1; }));
        EXPECT_THAT(heard(), testing::ElementsAre("speak Selected words", "speak-key X"))
            << heard().join(u'\n').toStdString();

        QTimer::singleShot(0, &window, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_EQ(dialog->objectName(), QStringLiteral("FShortcut"));
            dialog->findChild<QKeySequenceEdit*>()->setKeySequence(QKeySequence("Ctrl+Alt+R"));
            dialog->findChild<QPushButton*>(QStringLiteral("BtnOK"))->click();
        });
        window.findChild<QAction*>(QStringLiteral("NReadSelectionKey"))->trigger();
        fakes.engine.calls.clear();
        EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "ctrl+alt+space"}), 0);
        EXPECT_EQ(QProcess::execute(QStringLiteral("xdotool"), {"key", "ctrl+alt+r"}), 0);
        EXPECT_TRUE(testsupport::waitUntil(
            [&] { return heard().contains(QStringLiteral("speak Selected words")); }));
        EXPECT_TRUE(heard().contains(QStringLiteral("speak-key Space")));
        EXPECT_FALSE(heard().contains(QStringLiteral("speak-key R")));
        EXPECT_TRUE(fakes.messageBoxes.errors.isEmpty());
    }
    EXPECT_TRUE(config.read(QStringLiteral("set.ini")).contains("\r\nReadSelectionKey=Ctrl+Alt+R"));
}
