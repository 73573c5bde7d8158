#include "app/FileDialogs.h"

#include <gmock/gmock.h>
#include <QApplication>
#include <QFileDialog>
#include <QTimer>

using testing::ElementsAre;

namespace {

struct SeenDialog {
    QString name;
    QStringList filters;
    QString suffix;
    bool asksBeforeReplacing = true;
};

} // namespace

TEST(SaveDialogs, OfferTextRtfAndAnyFileAndReplaceWithoutAsking)
{
    QtFileDialogs dialogs;
    SeenDialog seen;
    const auto answer = [&](FileDialogs::Style style) {
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            seen = {dialog->objectName(), dialog->nameFilters(), dialog->defaultSuffix(),
                    !dialog->testOption(QFileDialog::DontConfirmOverwrite)};
            dialog->selectFile(QStringLiteral("/tmp/notes.txt"));
            static_cast<QDialog*>(dialog)->accept();
        });
        return dialogs.chooseTextFileToSave(nullptr, style);
    };
    EXPECT_EQ(answer(FileDialogs::Style::Classic), QStringLiteral("/tmp/notes.txt"));
    EXPECT_EQ(seen.name, QStringLiteral("SaveDialogTxt"));
    EXPECT_THAT(seen.filters, ElementsAre("文本文件(*.txt) (*.txt)", "Rtf文件(*.rtf) (*.rtf)",
                                          "任何文件(*.*) (*.* )"));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));
    EXPECT_FALSE(seen.asksBeforeReplacing);

    answer(FileDialogs::Style::Newer);
    EXPECT_EQ(seen.name, QStringLiteral("FileSaveDialogTxt"));
    EXPECT_THAT(seen.filters, ElementsAre("文本文件 (*.txt)", "RTF文件 (*.rtf)", "任何文件 (*.*)"));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));
}
