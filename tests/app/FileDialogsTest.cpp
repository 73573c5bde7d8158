// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FileDialogs.h"

#include "app/FileDialogTexts.h"
#include "tests/support/TemporaryFiles.h"

#include <gmock/gmock.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using testing::AnyOf;
using testing::ElementsAre;

namespace {

struct SeenDialog {
    QString name;
    QString title;
    QStringList filters;
    QString suffix;
};

// Shows the save dialog of `texts` and answers it with a new file, noting how it was set up.
SeenDialog saveWith(const FileDialogTexts& texts)
{
    const testsupport::TemporaryFiles files;
    const QString notes = files.folder.filePath(QStringLiteral("notes.txt"));
    SeenDialog seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        seen = {dialog->objectName(), dialog->windowTitle(), dialog->nameFilters(),
                dialog->defaultSuffix()};
        dialog->selectFile(notes);
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(QtFileDialogs().chooseFileToSave(nullptr, texts), notes);
    return seen;
}

// Chooses an existing file in the save dialog and answers the question that follows.
QString replaceAnswered(const QString& existing, QMessageBox::StandardButton answer,
                        QString& question)
{
    QObject window;
    const WindowFileDialogs dialogs(&window);
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            question = box->text();
            box->button(answer)->click();
        });
        dialog->selectFile(existing);
        static_cast<QDialog*>(dialog)->accept();
        if (dialog->isVisible())
            static_cast<QDialog*>(dialog)->reject();
    });
    return QtFileDialogs().chooseFileToSave(nullptr, *dialogs.SaveDialogTxt);
}

// The filters the open dialog of `texts` shows, which is left without a choice.
QStringList openFilters(const FileDialogTexts& texts)
{
    QStringList filters;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        filters = dialog->nameFilters();
        static_cast<QDialog*>(dialog)->reject();
    });
    EXPECT_EQ(QtFileDialogs().chooseFileToOpen(nullptr, texts), QString());
    return filters;
}

} // namespace

TEST(OpenDialogs, OfferBooksAmongAllDocumentsAndByThemselves)
{
    QObject window;
    const WindowFileDialogs dialogs(&window);
    for (const FileDialogTexts* texts :
         {static_cast<FileDialogTexts*>(dialogs.OpenDialog1), dialogs.FileOpenDialog1}) {
        const QStringList filters = openFilters(*texts);
        ASSERT_GE(filters.size(), 3);
        EXPECT_TRUE(filters[0].endsWith(QStringLiteral("*.docx *.odt *.epub *.md *.markdown)")))
            << filters[0].toStdString();
        EXPECT_THAT(filters.mid(filters.size() - 3, 2),
                    AnyOf(ElementsAre("EPUB电子书(*.epub) (*.epub)",
                                      "Markdown文件(*.md) (*.md *.markdown)"),
                          ElementsAre("EPUB电子书 (*.epub)", "Markdown文件 (*.md *.markdown)")));
    }
}

TEST(SaveDialogs, OfferTextRtfAndAnyFile)
{
    QObject window;
    const WindowFileDialogs dialogs(&window);
    SeenDialog seen = saveWith(*dialogs.SaveDialogTxt);
    EXPECT_EQ(seen.name, QStringLiteral("SaveDialogTxt"));
    EXPECT_THAT(seen.filters, ElementsAre("文本文件(*.txt) (*.txt)", "Rtf文件(*.rtf) (*.rtf)",
                                          "任何文件(*.*) (*.* )"));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));

    seen = saveWith(*dialogs.FileSaveDialogTxt);
    EXPECT_EQ(seen.name, QStringLiteral("FileSaveDialogTxt"));
    EXPECT_THAT(seen.filters, ElementsAre("文本文件 (*.txt)", "RTF文件 (*.rtf)", "任何文件 (*.*)"));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));
}

TEST(SaveDialogs, AskBeforeReplacingAnExistingFile)
{
    testsupport::TemporaryFiles files;
    const QString report = files.write(QStringLiteral("report.doc"), "the report");
    QString question;
    EXPECT_EQ(replaceAnswered(report, QMessageBox::No, question), QString());
    EXPECT_TRUE(question.contains(QStringLiteral("report.doc"))) << question.toStdString();
    question.clear();
    EXPECT_EQ(replaceAnswered(report, QMessageBox::Yes, question), report);
    EXPECT_FALSE(question.isEmpty());
}

TEST(SaveDialogs, ShowTheTitleAndFilterThatALanguageGaveThem)
{
    QObject window;
    const WindowFileDialogs dialogs(&window);
    QObject* texts = window.findChild<QObject*>(QStringLiteral("SaveDialogWav"));
    texts->setProperty("Title", QStringLiteral("Export"));
    texts->setProperty("Filter", QStringLiteral("Wave files|*.wav"));
    EXPECT_FALSE(window.findChild<QObject*>(QStringLiteral("FileSaveDialogWav"))
                     ->setProperty("Filter", QStringLiteral("x")))
        << "the newer dialog has file types, not a filter";
    const SeenDialog seen = saveWith(*dialogs.SaveDialogWav);
    EXPECT_EQ(seen.title, QStringLiteral("Export"));
    EXPECT_THAT(seen.filters, ElementsAre("Wave files (*.wav)"));
}

TEST(SaveDialogs, TheExportOffersCompressedTypesAndANameGetsTheTypeChosen)
{
    QObject window;
    const WindowFileDialogs dialogs(&window);
    const testsupport::TemporaryFiles files;
    QStringList filters;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        filters = dialog->nameFilters();
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        types->setCurrentIndex(1);
        emit types->activated(1);
        emit types->textActivated(types->currentText());
        dialog->selectFile(files.folder.filePath(QStringLiteral("book")));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(QtFileDialogs().chooseFileToSave(nullptr, *dialogs.FileSaveDialogWav),
              files.folder.filePath(QStringLiteral("book.mp3")));
    EXPECT_THAT(filters, ElementsAre("Wav文件 (*.wav)", "MP3文件 (*.mp3)", "Ogg Opus文件 (*.opus)",
                                     "Ogg Vorbis文件 (*.ogg)", "FLAC文件 (*.flac)"));
}

// The export's own choices, under the captions a language gives them, are kept for the next
// export once a file is chosen.
TEST(SaveDialogs, TheExportOffersChaptersAndSubtitlesAsLastChosen)
{
    QObject window;
    const WindowFileDialogs dialogs(&window);
    const testsupport::TemporaryFiles files;
    QtFileDialogs fileDialogs;
    QStringList captions;
    const auto choose = [&](bool pick) {
        QTimer::singleShot(0, [&, pick] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            auto* byChapter = dialog->findChild<QCheckBox*>(QStringLiteral("byChapter"));
            auto* subtitles = dialog->findChild<QCheckBox*>(QStringLiteral("subtitles"));
            auto* format = dialog->findChild<QComboBox*>(QStringLiteral("subtitleFormat"));
            captions = {byChapter->text(), subtitles->text(), format->currentText(),
                        format->isEnabled() ? QStringLiteral("on") : QStringLiteral("off")};
            if (pick) {
                byChapter->setChecked(true);
                subtitles->setChecked(true);
                format->setCurrentIndex(2);
            }
            dialog->selectFile(files.folder.filePath(QStringLiteral("book.ogg")));
            static_cast<QDialog*>(dialog)->accept();
        });
        return fileDialogs.chooseExportFile(nullptr, *dialogs.FileSaveDialogWav,
                                            QStringLiteral("By &chapter"),
                                            QStringLiteral("&Subtitles:"));
    };
    const ExportChoice first = choose(true);
    EXPECT_THAT(captions, ElementsAre("By &chapter", "&Subtitles:", "SRT", "off"));
    EXPECT_EQ(first.path, files.folder.filePath(QStringLiteral("book.ogg")));
    EXPECT_TRUE(first.options.byChapter);
    EXPECT_EQ(first.options.subtitles, formats::SubtitleFormat::Lrc);
    const ExportChoice second = choose(false);
    EXPECT_THAT(captions, ElementsAre("By &chapter", "&Subtitles:", "LRC", "on"));
    EXPECT_TRUE(second.options.byChapter);
    EXPECT_EQ(second.options.subtitles, formats::SubtitleFormat::Lrc);
}
