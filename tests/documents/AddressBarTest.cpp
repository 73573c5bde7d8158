// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/AddressBar.h"

#include "documents/BookLoader.h"
#include "documents/DocumentConverters.h"
#include "documents/DocumentOpener.h"
#include "documents/EditorLoader.h"
#include "documents/PageTextCopy.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/TemporaryFiles.h"
#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QTextEdit>

using namespace documents;

namespace {

struct AddressBarTest : testing::Test {
    AddressBarTest()
    {
        editor.setPlainText(QStringLiteral("before"));
        box.setEditable(true);
    }

    // Types the text into the box and goes to it.
    void go(const QString& typed)
    {
        box.setEditText(typed);
        bar.GoToAddress();
    }
    std::string shown() const { return box.currentText().toStdString(); }
    std::string text() const { return editor.toPlainText().toStdString(); }

    testsupport::TemporaryFiles files;
    QTextEdit editor;
    EditorLoader loader{editor};
    DocumentConverters converters{
        loader, {[this] { return files.folder.path() + u'/'; }, {}}, [](const QString&) {}};
    testsupport::FakeBrowser browser;
    BookLoader books{editor};
    DocumentOpener opener{loader, books, converters, browser};
    QComboBox box;
    QStringList history;
    AddressBar bar{box, opener, browser, [this](const QString& entry) { history << entry; }};
    PageTextCopy pageText{browser, editor};
};

} // namespace

TEST(WorkingAddress, OnlyTheSchemeAndHostOfAWebAddressLoseTheirCapitals)
{
    const std::pair<const char*, const char*> cases[] = {
        {"  HTTP://Example.COM/Path/Page?Q=A#Top \t", "http://example.com/Path/Page?Q=A#Top"},
        {"Example.COM/Some/Page", "example.com/Some/Page"},
        {"ftp://User@Files.ORG/Pub", "ftp://User@files.org/Pub"},
        {"/Home/Nobody/Missing.TXT", "/Home/Nobody/Missing.TXT"},
        {"\t \n", ""},
    };
    for (const auto& [typed, working] : cases)
        EXPECT_EQ(workingAddress(QString::fromUtf8(typed)).toStdString(), working) << typed;
}

TEST_F(AddressBarTest, AListedFileOpensAndIsRecordedAsTypedWithoutTheBlanks)
{
    const QString notes = files.write(QStringLiteral("Notes.TXT"), "the notes");
    go(QStringLiteral("  ") + notes + QStringLiteral("  "));
    EXPECT_EQ(text(), "the notes");
    EXPECT_EQ(shown(), notes.toStdString());
    EXPECT_EQ(history, QStringList{notes});

    const QString page = files.write(QStringLiteral("Page.html"), "<p>page</p>");
    go(page);
    EXPECT_EQ(browser.navigated, QStringList{page});
    EXPECT_EQ(history, (QStringList{notes, page}));

    const QString readme = files.write(QStringLiteral("README.md"), "# Read *me*");
    go(readme);
    EXPECT_EQ(text(), "Read me");
    EXPECT_EQ(history, (QStringList{notes, page, readme}));
}

TEST_F(AddressBarTest, AFileOfAnotherTypeIsLeftAlone)
{
    const QString picture = files.write(QStringLiteral("picture.png"), "png");
    go(picture);
    EXPECT_EQ(text(), "before");
    EXPECT_TRUE(browser.navigated.isEmpty());
    EXPECT_TRUE(history.isEmpty());
}

TEST_F(AddressBarTest, EverythingElseGoesToTheBrowserAndTheBoxKeepsWhatWasTyped)
{
    go(QStringLiteral("Example.COM/Some/Page"));
    go(files.folder.path());
    EXPECT_EQ(browser.navigated, (QStringList{"example.com/Some/Page", files.folder.path()}));
    EXPECT_EQ(history, browser.navigated);
    EXPECT_EQ(shown(), files.folder.path().toStdString());

    go(QStringLiteral("Example.COM/Other"));
    EXPECT_EQ(shown(), "Example.COM/Other");
    browser.refusing = true;
    go(QStringLiteral("refused.example"));
    EXPECT_EQ(history.size(), 3);
    EXPECT_EQ(text(), "before");
}

// The browser would take an empty address for an empty page and empty the editor.
TEST_F(AddressBarTest, BlanksAndControlCharactersAloneGoNowhere)
{
    for (const char* typed : {"", "   ", " \t\r\n\x01 "})
        go(QString::fromLatin1(typed));
    EXPECT_TRUE(browser.navigated.isEmpty());
    EXPECT_TRUE(history.isEmpty());
    EXPECT_EQ(text(), "before");
}

TEST_F(AddressBarTest, EachCompletedPageReplacesTheEditorsTextAndABodilessOneEmptiesIt)
{
    browser.bodyText = QStringLiteral("Page text");
    pageText.documentComplete();
    pageText.documentComplete();
    EXPECT_EQ(text(), "Page text");
    editor.undo();
    EXPECT_EQ(text(), "before") << "one Undo for the page, however many frames completed";
    editor.redo();
    browser.bodyText = QString();
    pageText.documentComplete();
    EXPECT_EQ(text(), "");
}

TEST_F(AddressBarTest, ALongPageArrivesAPieceAtATimeUntilTheUserChangesTheEditor)
{
    const QString line = QStringLiteral("A line of the page, \U0001F600 included.\n");
    browser.bodyText = line.repeated(3 * PageTextCopy::PieceSize / line.size() + 5);
    pageText.documentComplete();
    const QString first = editor.toPlainText();
    EXPECT_LE(first.size(), PageTextCopy::PieceSize);
    EXPECT_TRUE(browser.bodyText.startsWith(first));
    EXPECT_TRUE(
        testsupport::waitUntil([&] { return editor.toPlainText() == browser.bodyText; }, 20000));
    editor.undo();
    EXPECT_EQ(text(), "before") << "the pieces are one edit";

    pageText.documentComplete();
    const int stops = browser.stops;
    QTextCursor(editor.document()).insertText(QStringLiteral("typed "));
    EXPECT_EQ(browser.stops, stops + 1) << "the page the user left is stopped";
    const QString typed = editor.toPlainText();
    QTest::qWait(100);
    EXPECT_EQ(editor.toPlainText(), typed);
    EXPECT_TRUE(typed.startsWith(QStringLiteral("typed A line")));
}
