// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/HelpText.h"
#include "app/TFmain.h"
#include "i18n/TextProperties.h"
#include "tests/app/FakeServices.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/TemporaryFiles.h"
#include "tests/support/WaitUntil.h"

#include <gmock/gmock.h>
#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

using testing::ElementsAre;

namespace {

struct Window : testsupport::FakeServices {
    explicit Window(bool inNotificationArea = false)
        : FakeServices(inNotificationArea)
    {
    }

    QAction* item(const char* name) { return window.findChild<QAction*>(QLatin1String(name)); }
    QWidget* widget(const char* name) { return window.findChild<QWidget*>(QLatin1String(name)); }
    std::vector<bool> checks(std::initializer_list<const char*> names)
    {
        std::vector<bool> states;
        for (const char* name : names)
            states.push_back(item(name)->isChecked());
        return states;
    }

    testsupport::TemporaryConfig config;
    TFmain window{services};
};

} // namespace

// The text is compared by its digest, taken from the text as it is to be shown, so the test
// does not restate the 36 lines.
TEST(Help, TheMessageIsShownByteForByte)
{
    const QByteArray bytes = helpText().toUtf8();
    EXPECT_EQ(bytes.size(), 1769);
    EXPECT_EQ(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(),
              "a8a414f1d927a87d630feda6a4a6baeccf6ed78fdb30d219f60a01940ea2db97");
    const QStringList lines = helpText().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 36);
    EXPECT_EQ(lines[1], QString(79, u'-'));
    EXPECT_TRUE(lines[7].contains(QStringLiteral("\"复制\"")));
    EXPECT_TRUE(lines[21].endsWith(QStringLiteral(". ")));

    Window w;
    w.window.show();
    w.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    QTest::keyClick(w.widget("RichEdit1"), Qt::Key_F1);
    w.item("NNHelp")->trigger();
    static_cast<QAbstractButton*>(w.widget("BtnHelp"))->click();
    ASSERT_EQ(w.messageBoxes.messages.size(), 3);
    EXPECT_EQ(w.messageBoxes.messages.first(), helpCaption() + QLatin1Char('|') + helpText());
    EXPECT_EQ(helpCaption(), QStringLiteral("Lectorix 帮助"));
}

TEST(Menus, KeyModeItemsClearEachOtherButNotTheClipboardItem)
{
    Window w;
    w.item("NSpeakKeyAll")->setChecked(true);
    w.item("NspeakLetter")->trigger();
    w.item("NSpeakdigit")->trigger();
    EXPECT_EQ(w.checks({"NSpeakKeyAll", "NspeakLetterDigit", "NspeakLetter", "NSpeakdigit"}),
              (std::vector<bool>{false, false, false, true}));

    w.item("NNspeakClipBrd")->setChecked(false);
    w.item("NNSpeakKeyAll")->trigger();
    w.item("NNSpeakLetter")->trigger();
    w.item("NNspeakClipBrd")->trigger();
    EXPECT_EQ(w.checks({"NNSpeakKeyAll", "NNSpeakLetterDigit", "NNSpeakLetter", "NNSpeakdigit",
                        "NNspeakClipBrd"}),
              (std::vector<bool>{false, false, true, false, true}));
}

TEST(Menus, EveryViewItemAgreesWithItsBarAfterAnyClicks)
{
    Window w;
    w.window.show();
    const std::pair<const char*, const char*> views[] = {{"NToolbar", "PToolBar"},
                                                         {"NAddressBar", "PAddressBar"},
                                                         {"NProgressbar", "ProgressBar1"},
                                                         {"NPropertybar", "PPropertyBar"}};
    QRandomGenerator random(7);
    for (int click = 0; click < 40; ++click) {
        const auto& [item, bar] = views[random.bounded(4)];
        w.item(item)->trigger();
        for (const auto& [viewItem, viewBar] : views)
            ASSERT_EQ(w.item(viewItem)->isChecked(), w.widget(viewBar)->isVisible()) << viewItem;
    }
}

TEST(Menus, EachClipboardOptionShowsOneStateOnItsThreeControls)
{
    Window w;
    const std::array<const char*, 3> options[] = {
        {"CBSpeakClipBrd", "NspeakClipBrd", "NNspeakClipBrd"},
        {"CBShowClipBrdText", "NshowclipBrdText", "NNShowclipBrdText"}};
    const auto box = [&](int option) {
        return static_cast<QAbstractButton*>(w.widget(options[option][0]));
    };
    std::array<bool, 2> on{true, false};
    QRandomGenerator random(13);
    for (int click = 0; click < 60; ++click) {
        const int option = random.bounded(2);
        const int control = random.bounded(3);
        on[option] = !on[option];
        if (control == 0)
            box(option)->click();
        else
            w.item(options[option][control])->trigger();
        for (int each = 0; each < 2; ++each) {
            ASSERT_EQ(box(each)->isChecked(), on[each]) << click;
            ASSERT_EQ(w.checks({options[each][1], options[each][2]}),
                      (std::vector{on[each], on[each]}))
                << click;
        }
    }
}

TEST(Menus, TheViewMenuListsTheBuiltInLanguageAndEachFileAndTheTraysStaysHidden)
{
    Window w;
    auto* language = w.window.findChild<QMenu*>(QStringLiteral("NLanguage"));
    auto* tray = w.window.findChild<QMenu*>(QStringLiteral("NNLanguage"));
    EXPECT_TRUE(w.window.findChild<QMenu*>(QStringLiteral("NView"))
                    ->actions()
                    .contains(language->menuAction()));
    EXPECT_TRUE(language->menuAction()->isVisible());
    QStringList items;
    for (QAction* item : language->actions())
        items << item->objectName() + u' ' + item->text();
    EXPECT_THAT(items, ElementsAre("NChineseSimplified 中文简体(ChineseSimplified)",
                                   "NEnglish English(English)", "NFrench Français(French)",
                                   "NGerman Deutsch(German)", "NRussian Русско(Russian)",
                                   "NSpanish Español(Spanish)"));
    EXPECT_FALSE(tray->menuAction()->isVisible());
    EXPECT_EQ(tray->actions().size(), 14);
    EXPECT_EQ(w.item("NNGreak")->text(), QStringLiteral("Ελληνικα(Greek)"));
}

TEST(NotificationArea, MinimisingHidesAndTheIconBringsTheWindowBackMaximised)
{
    Window w(true);
    w.window.showMaximized();
    w.window.setWindowState(w.window.windowState() | Qt::WindowMinimized);
    EXPECT_TRUE(testsupport::waitUntil([&] { return !w.window.isVisible(); }, 2000));
    w.window.TrayIcon1Click();
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_TRUE(w.window.isMaximized());
    EXPECT_FALSE(w.window.isMinimized());

    w.window.showNormal();
    w.window.setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(testsupport::waitUntil([&] { return !w.window.isVisible(); }, 2000));
    w.item("NHideShow")->trigger();
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_FALSE(w.window.isMaximized());
}

TEST(NotificationArea, TheIconLeavesAWindowOnScreenAsItIs)
{
    Window w(true);
    w.window.showMaximized();
    w.window.TrayIcon1Click();
    EXPECT_TRUE(w.window.isMaximized());
    w.item("NHideShow")->trigger();
    EXPECT_TRUE(w.window.isMaximized());
    EXPECT_TRUE(w.window.isVisible());
}

TEST(NotificationArea, WithoutOneMinimisingOnlyMinimises)
{
    Window w(false);
    w.window.show();
    w.window.setWindowState(Qt::WindowMinimized);
    QTest::qWait(50);
    EXPECT_TRUE(w.window.isVisible());
}

TEST(About, ASecondRequestWhileTheBoxIsOpenOpensNoOther)
{
    Window w;
    int boxesShown = 0;
    QString title;
    QString closeCaption;
    QTimer::singleShot(0, [&] {
        w.window.NAboutClick();
        for (QWidget* top : QApplication::topLevelWidgets())
            boxesShown += top->objectName() == QLatin1String("FAbout") && top->isVisible() ? 1 : 0;
        QWidget* box = QApplication::activeModalWidget();
        title = box->windowTitle();
        auto* close = box->findChild<QAbstractButton*>(QStringLiteral("BtnClose"));
        closeCaption = close->text();
        close->click();
    });
    w.window.NAboutClick();
    EXPECT_EQ(boxesShown, 1);
    EXPECT_EQ(title, QStringLiteral("关于"));
    EXPECT_EQ(closeCaption, QStringLiteral("关闭"));
}

TEST(NotificationArea, ExitFromTheTrayEndsTheProgramWhileTheWindowIsHidden)
{
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    Window w(true);
    QSignalSpy closed(&w.window, &TFmain::closed);
    w.window.show();
    w.window.setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(testsupport::waitUntil([&] { return !w.window.isVisible(); }, 2000));
    w.item("NNExit")->trigger();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(w.engine.calls.last(), QStringLiteral("skip Sentence 2147483647"));
}

TEST(Editing, CommandsActOnTheSelectionAndUndoAndRedoAreOfferedAsTheEditorCan)
{
    Window w;
    w.window.show();
    auto* editor = w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    const auto text = [&] { return editor->toPlainText().toStdString(); };
    const auto select = [&](int from, int to) {
        QTextCursor cursor(editor->document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    };
    const auto offered = [&] {
        return std::vector<bool>{w.item("NUndo")->isEnabled(), w.item("NRedo")->isEnabled()};
    };
    editor->setPlainText(QStringLiteral("Hello world"));
    EXPECT_EQ(offered(), (std::vector<bool>{false, false}));

    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    w.item("Ncut")->trigger();
    w.item("NDelete")->trigger();
    EXPECT_EQ(text(), "Hello world") << "nothing is selected";
    select(5, 11);
    w.item("NDelete")->trigger();
    EXPECT_EQ(text(), "Hello");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
    EXPECT_EQ(offered(), (std::vector<bool>{true, false}));
    w.item("NUndo")->trigger();
    EXPECT_EQ(text(), "Hello world");
    EXPECT_EQ(offered(), (std::vector<bool>{false, true}));
    w.item("NRedo")->trigger();
    EXPECT_EQ(text(), "Hello");

    select(0, 1);
    w.item("NCopy")->trigger();
    select(5, 5);
    static_cast<QAbstractButton*>(w.widget("BtnPaste"))->click();
    EXPECT_EQ(text(), "HelloH");
    w.item("NSeleteAll")->trigger();
    EXPECT_EQ(editor->textCursor().selectedText(), QStringLiteral("HelloH"));
    EXPECT_TRUE(w.messageBoxes.errors.isEmpty());

    // Hidden to the notification area, the tray's Paste still pastes, at the caret.
    select(6, 6);
    w.window.hide();
    QGuiApplication::clipboard()->setText(QStringLiteral(" again"));
    w.item("NNNPaste")->trigger();
    EXPECT_EQ(text(), "HelloH again");
    EXPECT_TRUE(w.messageBoxes.errors.isEmpty());
}

TEST(Editing, WordWrapAndItsMarkAlwaysAgree)
{
    Window w;
    auto* editor = w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    for (int click = 0; click < 3; ++click) {
        w.item("NWordWrap")->trigger();
        EXPECT_EQ(w.item("NWordWrap")->isChecked(), editor->lineWrapMode() != QTextEdit::NoWrap)
            << click;
    }
}

TEST(Editing, TheFindAndReplaceDialogsStayOpenBesideTheWindow)
{
    Window w;
    w.window.show();
    auto* editor = w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    editor->setPlainText(QStringLiteral("Up or down, down it goes"));
    const auto dialog = [&](const char* name) {
        return w.window.findChild<QDialog*>(QLatin1String(name));
    };
    const auto press = [](QDialog* box, const char* button) {
        box->findChild<QAbstractButton*>(QLatin1String(button))->click();
    };

    w.item("Nfind")->trigger();
    QDialog* find = dialog("FindDialog1");
    ASSERT_TRUE(find->isVisible());
    EXPECT_FALSE(find->isModal());
    EXPECT_FALSE(find->findChild<QAbstractButton*>(QStringLiteral("findNext"))->isEnabled());
    find->findChild<QLineEdit*>(QStringLiteral("findText"))->setText(QStringLiteral("down"));
    find->findChild<QAbstractButton*>(QStringLiteral("up"))->click();
    press(find, "findNext");
    press(find, "findNext");
    EXPECT_EQ(editor->textCursor().selectionStart(), 12) << "forward, whatever the direction";
    EXPECT_EQ(editor->textCursor().selectedText(), QStringLiteral("down"));

    w.item("NReplace")->trigger();
    QDialog* replace = dialog("ReplaceDialog1");
    EXPECT_TRUE(find->isVisible());
    replace->findChild<QLineEdit*>(QStringLiteral("findText"))->setText(QStringLiteral("o"));
    replace->findChild<QLineEdit*>(QStringLiteral("replacement"))->setText(QStringLiteral("0"));
    editor->moveCursor(QTextCursor::Start);
    QTest::keyClick(replace->findChild<QLineEdit*>(QStringLiteral("findText")), Qt::Key_Return);
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Up or down, down it goes"));
    EXPECT_EQ(editor->textCursor().selectionStart(), 3) << "Enter is Find Next";
    EXPECT_EQ(editor->textCursor().selectedText(), QStringLiteral("o"));
    press(replace, "replace");
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Up or d0wn, down it goes"));
    editor->moveCursor(QTextCursor::End);
    press(replace, "replaceAll");
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Up 0r d0wn, d0wn it g0es"));
    w.item("NUndo")->trigger();
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Up or d0wn, down it goes"));
    EXPECT_THAT(w.messageBoxes.messages, ElementsAre(QStringLiteral("Lectorix2009|替换完毕!")));
    EXPECT_TRUE(w.messageBoxes.errors.isEmpty());
}

TEST(Saving, AnRtfFileOpensAsRichTextAfterAPlainSaveAndFailuresAreReported)
{
    Window w;
    testsupport::TemporaryFiles files;
    const QString letter = files.folder.filePath(QStringLiteral("letter.rtf"));
    auto* editor = w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    editor->setHtml(QStringLiteral("<b>Hello</b>"));
    w.fileDialogs.answers = {QString(), letter, files.folder.filePath(QStringLiteral("a.txt")),
                             letter, QStringLiteral("/nonexistent/b.txt")};
    w.item("NSave")->trigger();
    EXPECT_TRUE(QDir(files.folder.path()).isEmpty()) << "cancelled";
    w.item("NSave")->trigger();
    w.item("NSave")->trigger();
    w.window.BtnOpenClick();
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("Hello")) << "rich text after a plain save";
    EXPECT_EQ(QTextCursor(editor->document()).block().begin().fragment().charFormat().fontWeight(),
              QFont::Bold);
    w.item("NSave")->trigger();
    EXPECT_THAT(w.messageBoxes.errors,
                ElementsAre(QStringLiteral(
                    "Cannot create file \"/nonexistent/b.txt\". No such file or directory.")));
}

// Every caption, title and filter of both windows, wherever it is.
TEST(Languages, EnglishLeavesNoChineseTextInAnyMenuButtonLabelOrDialogFilter)
{
    Window w;
    w.item("NEnglish")->trigger();
    QWidget* about = nullptr;
    QWidget* library = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("FAbout"))
            about = window;
        if (window->objectName() == QLatin1String("FVoiceLibrary"))
            library = window;
    }
    ASSERT_NE(about, nullptr);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(library->windowTitle(), QStringLiteral("Voice library"));
    const QRegularExpression han(QStringLiteral("\\p{Han}"));
    int texts = 0;
    for (QWidget* window : {static_cast<QWidget*>(&w.window), about, library}) {
        for (QObject* element : window->findChildren<QObject*>()) {
            for (const char* name : {"Caption", "Title", "Filter"}) {
                const QByteArray property = i18n::qtPropertyOf(*element, QLatin1String(name));
                if (property.isEmpty() || element->objectName().isEmpty())
                    continue;
                ++texts;
                EXPECT_FALSE(element->property(property).toString().contains(han))
                    << element->objectName().toStdString() << "." << name;
            }
        }
    }
    EXPECT_GT(texts, 150);
    EXPECT_EQ(w.window.findChild<QMenu*>(QStringLiteral("NFile"))->title(),
              QStringLiteral("&File"));
}
