#include "app/FileDialogs.h"

#include "app/FileDialogTexts.h"

#include <gmock/gmock.h>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QTimer>

using testing::ElementsAre;

namespace {

struct SeenDialog {
    QString name;
    QString title;
    QStringList filters;
    QString suffix;
    bool asksBeforeReplacing = true;
};

// Shows the save dialog of `texts` and answers it, noting how it was set up.
SeenDialog saveWith(const FileDialogTexts& texts)
{
    SeenDialog seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        seen = {dialog->objectName(), dialog->windowTitle(), dialog->nameFilters(),
                dialog->defaultSuffix(), !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
        dialog->selectFile(QStringLiteral("/tmp/notes.txt"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(QtFileDialogs().chooseFileToSave(nullptr, texts), QStringLiteral("/tmp/notes.txt"));
    return seen;
}

} // namespace

TEST(SaveDialogs, OfferTextRtfAndAnyFileAndReplaceWithoutAsking)
{
    QObject window;
    const WindowFileDialogs dialogs(&window);
    SeenDialog seen = saveWith(*dialogs.SaveDialogTxt);
    EXPECT_EQ(seen.name, QStringLiteral("SaveDialogTxt"));
    EXPECT_THAT(seen.filters, ElementsAre("文本文件(*.txt) (*.txt)", "Rtf文件(*.rtf) (*.rtf)",
                                          "任何文件(*.*) (*.* )"));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));
    EXPECT_FALSE(seen.asksBeforeReplacing);

    seen = saveWith(*dialogs.FileSaveDialogTxt);
    EXPECT_EQ(seen.name, QStringLiteral("FileSaveDialogTxt"));
    EXPECT_THAT(seen.filters, ElementsAre("文本文件 (*.txt)", "RTF文件 (*.rtf)", "任何文件 (*.*)"));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));
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
    QStringList filters;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        filters = dialog->nameFilters();
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        types->setCurrentIndex(1);
        emit types->activated(1);
        emit types->textActivated(types->currentText());
        dialog->selectFile(QStringLiteral("/tmp/book"));
        static_cast<QDialog*>(dialog)->accept();
    });
    EXPECT_EQ(QtFileDialogs().chooseFileToSave(nullptr, *dialogs.FileSaveDialogWav),
              QStringLiteral("/tmp/book.mp3"));
    EXPECT_THAT(filters, ElementsAre("Wav文件 (*.wav)", "MP3文件 (*.mp3)", "Ogg Opus文件 (*.opus)",
                                     "Ogg Vorbis文件 (*.ogg)", "FLAC文件 (*.flac)"));
}
