// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"
#include "tests/app/FakeServices.h"
#include "tests/support/PageServer.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/TemporaryFiles.h"
#include "tests/support/WaitUntil.h"

#include <gmock/gmock.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTextEdit>

using testing::ElementsAre;

namespace {

// The window with the real browser, its pages served by the test.
struct Window : testsupport::FakeServices {
    Window()
    {
        window.show();
        window.activateWindow();
        active = QTest::qWaitForWindowActive(&window);
    }
    // Types the address into the box and presses Enter where the keyboard's keys go.
    void enter(const QString& address)
    {
        ASSERT_TRUE(active);
        address_->setEditText(address);
        address_->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    // Types into the emptied box key by key. These keys go where the keyboard's would: to a list
    // open below the box, else to the box.
    void type(const QString& address)
    {
        ASSERT_TRUE(active);
        address_->setEditText(QString());
        address_->setFocus();
        QTest::keyClicks(nullptr, address);
    }
    void press(Qt::Key key) { QTest::keyClick(static_cast<QWidget*>(nullptr), key); }
    QString editorText() const { return editor_->toPlainText(); }
    bool editorComesToShow(const QString& text)
    {
        return testsupport::waitUntil([&] { return editorText().contains(text); }, 60000);
    }
    QStringList history() const
    {
        QStringList entries;
        for (int i = 0; i < address_->count(); ++i)
            entries << address_->itemText(i);
        return entries;
    }

    bool active = false;
    testsupport::TemporaryConfig config;
    testsupport::TemporaryFiles files;
    testsupport::PageServer server;
    TFmain window{services};
    QComboBox* address_ = window.findChild<QComboBox*>(QStringLiteral("CUrl"));
    QTextEdit* editor_ = window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
};

} // namespace

TEST(WebPages, APageWrittenPartlyByScriptArrivesWithThePathsCapitalsKept)
{
    Window w;
    w.server.pages["/News/Today.html"] =
        "<html><body><p>Served text</p><script>document.write('written by script')</script>"
        "</body></html>";
    const QString typed = w.server.address(QStringLiteral("/News/Today.html"));
    w.enter(typed);
    EXPECT_TRUE(w.editorComesToShow(QStringLiteral("Served text\n\nwritten by script")))
        << w.editorText().toStdString();
    EXPECT_THAT(w.history(), ElementsAre(typed));
    EXPECT_EQ(w.address_->currentText(), typed);

    w.enter(w.server.address(QStringLiteral("/news/today.html")));
    EXPECT_TRUE(w.editorComesToShow(QStringLiteral("Not found")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QFile maps(QStringLiteral("/proc/self/maps"));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("libQt6WebEngine")) << "the pages were read elsewhere";
}

TEST(WebPages, AnArchivedPageAndAFailedLoadShowWhatTheBrowserShows)
{
    Window w;
    const QString archive = w.files.write(
        QStringLiteral("Saved.mht"),
        "From: <Saved by Blink>\r\nSubject: Saved\r\nMIME-Version: 1.0\r\n"
        "Content-Type: multipart/related; type=\"text/html\"; boundary=\"----B\"\r\n\r\n"
        "------B\r\nContent-Type: text/html\r\nContent-Location: http://archive.example/\r\n\r\n"
        "<html><body><p>Archived page text</p></body></html>\r\n------B--\r\n");
    w.enter(archive);
    EXPECT_TRUE(w.editorComesToShow(QStringLiteral("Archived page text")))
        << w.editorText().toStdString();

    const QString closed = [] {
        testsupport::PageServer gone;
        return gone.address(QStringLiteral("/"));
    }();
    w.enter(closed);
    EXPECT_TRUE(w.editorComesToShow(QStringLiteral("127.0.0.1"))) << w.editorText().toStdString();
    EXPECT_THAT(w.history(), ElementsAre(closed, archive));
}

// The box's list holds the address, so the combo box would report Enter, and leaving the box
// after typing it, as a choice from the list too.
TEST(AddressBox, EnterGoesOnceAndOnNothingOrLeavingTheBoxDoesNothing)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    Window w;
    const QString letter = w.files.write(QStringLiteral("letter.doc"), "doc");
    w.enter(letter);
    w.enter(letter);
    w.enter(QString());
    const QString memo = w.files.write(QStringLiteral("memo.doc"), "doc");
    w.enter(memo);
    w.address_->setEditText(QString());
    w.address_->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), memo);
    w.editor_->setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(w.messageBoxes.messages.size(), 3);

    w.address_->showPopup();
    QAbstractItemView* list = w.address_->view();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    qputenv("PATH", path);
    EXPECT_EQ(w.messageBoxes.messages.size(), 4) << "a choice from the list opens it";
    EXPECT_THAT(w.history(), ElementsAre(memo, letter));
}

// Typing lists the addresses that begin with what is typed below the box and leaves the box as
// typed, so Enter goes there; moving down the list first goes to the entry picked.
TEST(AddressBox, EnterGoesToWhatWasTypedUnlessAnEntryOfTheListWasPicked)
{
    Window w;
    const QString notes = w.files.write(QStringLiteral("notes.txt"), "the notes");
    const QString copy = w.files.write(QStringLiteral("notes.txt.txt"), "the copy");
    w.fileDialogs.answers = {copy};
    w.window.BtnOpenClick();

    w.type(notes);
    const QAbstractItemView* list = w.address_->completer()->popup();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(w.address_->currentText(), notes);
    w.press(Qt::Key_Return);
    EXPECT_EQ(w.editorText(), QStringLiteral("the notes"));
    EXPECT_FALSE(list->isVisible());

    w.type(notes);
    EXPECT_EQ(list->model()->rowCount(), 2);
    w.press(Qt::Key_Down);
    w.press(Qt::Key_Down);
    w.press(Qt::Key_Return);
    EXPECT_EQ(w.editorText(), QStringLiteral("the copy"));
    EXPECT_FALSE(list->isVisible());
    EXPECT_THAT(w.history(), ElementsAre(copy, notes));
    EXPECT_TRUE(w.messageBoxes.errors.isEmpty());
}
