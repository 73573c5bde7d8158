// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFmain.h"
#include "tests/app/FakeServices.h"
#include "tests/support/EpubBuilder.h"
#include "tests/support/TemporaryConfig.h"
#include "tests/support/TemporaryFiles.h"
#include "tests/support/WaitUntil.h"

#include <gmock/gmock.h>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QUrl>

using testing::ElementsAre;
using testing::HasSubstr;

namespace {

struct Window : testsupport::FakeServices {
    QString write(const QString& name, const QByteArray& bytes) { return files.write(name, bytes); }
    QString editorText()
    {
        return window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))->toPlainText();
    }
    QComboBox* address() { return window.findChild<QComboBox*>(QStringLiteral("CUrl")); }
    QStringList history()
    {
        QStringList entries;
        for (int i = 0; i < address()->count(); ++i)
            entries << address()->itemText(i);
        return entries;
    }
    void drop(const QStringList& paths)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls << QUrl::fromLocalFile(path);
        data.setUrls(urls);
        // Qt hands a drop only to the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&window, &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &event);
    }

    testsupport::TemporaryFiles files;
    testsupport::TemporaryConfig config;
    TFmain window{services};
};

} // namespace

TEST(OpenDocument, TheChosenFileLoadsAndEntersTheAddressBoxAndHistoryOnce)
{
    Window w;
    const QString path = w.write(QStringLiteral("Report.TXT"), "Quarterly report.");
    w.fileDialogs.answers = {path, path, QString()};
    w.window.BtnOpenClick();
    w.window.BtnOpenClick();
    w.window.BtnOpenClick();
    EXPECT_EQ(w.editorText(), QStringLiteral("Quarterly report."));
    EXPECT_EQ(w.address()->currentText(), path);
    EXPECT_THAT(w.history(), ElementsAre(path));
    EXPECT_EQ(w.fileDialogs.dialogs.first(), QStringLiteral("OpenDialog1"));
    EXPECT_TRUE(w.messageBoxes.errors.isEmpty());
}

TEST(OpenDocument, UnknownExtensionsChangeNothingAndFailuresKeepTheHistory)
{
    Window w;
    w.fileDialogs.answers = {w.write(QStringLiteral("notes.text"), "x"),
                             w.files.folder.filePath(QStringLiteral("missing.txt"))};
    w.window.NNNOpenClick();
    EXPECT_TRUE(w.history().isEmpty());
    EXPECT_TRUE(w.address()->currentText().isEmpty());
    w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
        ->setPlainText(QStringLiteral("old"));
    EXPECT_THROW(w.window.NNNOpenClick(), std::runtime_error);
    EXPECT_EQ(w.editorText(), QStringLiteral("old")) << "a file that will not load leaves it";
    EXPECT_TRUE(w.history().isEmpty());
    EXPECT_FALSE(w.window.isVisible()) << "the tray's open does not show the window";
}

TEST(OpenDocument, DroppedFilesOpenInOrderAndAnErrorEndsTheDrop)
{
    Window w;
    const QStringList three = {
        w.write(QStringLiteral("One.txt"), "one"), w.write(QStringLiteral("two.md"), "**two**"),
        w.write(QStringLiteral("three.epub"),
                testsupport::EpubBuilder()
                    .document(QStringLiteral("a.xhtml"), QStringLiteral("<p>three</p>"))
                    .bytes())};
    w.drop(three);
    EXPECT_EQ(w.editorText(), QStringLiteral("three"));
    EXPECT_THAT(w.history(), ElementsAre(three[2], three[1], three[0]));

    const QString damaged = w.write(QStringLiteral("damaged.epub"), "not a book");
    w.drop({w.write(QStringLiteral("four.txt"), "four"), damaged,
            w.write(QStringLiteral("five.txt"), "five")});
    EXPECT_THAT(w.messageBoxes.errors,
                ElementsAre(QStringLiteral("Cannot open file \"%1\". It is no EPUB book: Not a "
                                           "zip archive.")
                                .arg(damaged)));
    EXPECT_EQ(w.history().size(), 4) << "four was recorded, gone and five were not";
    EXPECT_EQ(w.editorText(), QStringLiteral("four"));
}

TEST(OpenDocument, ADroppedVoiceArchiveIsInstalledNotOpened)
{
    Window w;
    w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
        ->setPlainText(QStringLiteral("kept"));
    w.drop({w.write(QStringLiteral("vits-piper-amy.tar.bz2"), "not an archive")});
    ASSERT_TRUE(testsupport::waitUntil([&] { return !w.messageBoxes.errors.isEmpty(); }));
    ASSERT_EQ(w.messageBoxes.errors.size(), 1);
    EXPECT_THAT(w.messageBoxes.errors[0].toStdString(), HasSubstr("vits-piper-amy.tar.bz2"));
    EXPECT_EQ(w.editorText(), QStringLiteral("kept"));
    EXPECT_TRUE(w.history().isEmpty());
    EXPECT_FALSE(w.engine.calls.contains(QStringLiteral("reload voices")));
}

TEST(OpenDocument, AWordDocumentWithoutAWordProcessorIsToldOnceAndStillRecorded)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    Window w;
    w.window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))
        ->setPlainText(QStringLiteral("kept"));
    const QString document = w.write(QStringLiteral("letter.doc"), "doc");
    w.fileDialogs.answers = {document};
    w.window.BtnOpenClick();
    qputenv("PATH", path);
    EXPECT_THAT(w.messageBoxes.messages,
                ElementsAre(QApplication::applicationName() + "|没有安装Word，请先安装Word."));
    EXPECT_EQ(w.editorText(), QStringLiteral("kept"));
    EXPECT_EQ(w.address()->currentText(), document);
    EXPECT_THAT(w.history(), ElementsAre(document));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(OpenDocument, AFileOpenedAgainGoesOnWhereReadingStoppedInTheWindowBefore)
{
    testsupport::TemporaryConfig config;
    testsupport::TemporaryFiles files;
    const QString book = files.write(QStringLiteral("book.md"), "# Title\n\nFirst. Second one.");
    const auto inNewWindow = [&](const auto& use) {
        testsupport::FakeServices fakes;
        TFmain window(fakes.services);
        fakes.fileDialogs.answers = {book};
        window.BtnOpenClick();
        use(fakes, window);
    };
    inNewWindow([](testsupport::FakeServices& fakes, TFmain& window) {
        window.BtnAloudClick();
        fakes.engine.sendWord(1, QStringLiteral("Title\nFirst. ").size());
    });
    inNewWindow([](testsupport::FakeServices& fakes, TFmain& window) {
        window.BtnAloudClick();
        EXPECT_EQ(fakes.engine.calls.last(), QStringLiteral("speak Second one."));
    });
    EXPECT_TRUE(config.read(QStringLiteral("positions.json")).contains("book.md"));
}
