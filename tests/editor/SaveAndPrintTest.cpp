// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/EditorLoader.h"
#include "editor/DocumentSaver.h"
#include "editor/Printing.h"
#include "platform/WordApplication.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/ScriptedEditorDialogs.h"
#include "tests/support/TemporaryFiles.h"

#include <gmock/gmock.h>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

using documents::EditorFileMode;
using testing::HasSubstr;

namespace {

QByteArray utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string popplerOutput(const char* program, const QStringList& arguments)
{
    QProcess process;
    process.start(QLatin1String(program), arguments);
    process.waitForFinished();
    return process.readAllStandardOutput().toStdString();
}

struct Editor {
    Editor() { edit.show(); }

    // What the save throws, or nothing.
    std::string saveAs(const QString& name)
    {
        try {
            saver.save(files.folder.filePath(name));
        } catch (const std::exception& error) {
            return error.what();
        }
        return {};
    }
    QByteArray saved(const QString& name) { return fileBytes(files.folder.filePath(name)); }

    QTextEdit edit;
    documents::EditorLoader loader{edit};
    editor::DocumentSaver saver{edit, loader};
    testsupport::TemporaryFiles files;
};

// Bold, red, 16 points and centred, with Chinese text.
void writeLetter(QTextEdit& edit)
{
    edit.setHtml(QStringLiteral("<p align=center>Dear <b style='color:#ff0000;font-size:16pt'>"
                                "朗读</b> friend</p><p>Second paragraph</p>"));
}

} // namespace

TEST(Save, TextFilesAreUtf16ParagraphsEachEndedByCrLf)
{
    Editor e;
    e.edit.setPlainText(QStringLiteral("line one\nline two"));
    EXPECT_EQ(e.saveAs(QStringLiteral("Notes.TXT")), "");
    EXPECT_EQ(e.saved(QStringLiteral("Notes.TXT")),
              "\xFF\xFE" + utf16(QStringLiteral("line one\r\nline two\r\n")));
    EXPECT_EQ(e.loader.mode(), EditorFileMode::Plain);

    e.edit.setLineWrapMode(QTextEdit::WidgetWidth);
    e.edit.resize(200, 200);
    const QString paragraph = QStringLiteral("long ").repeated(20000);
    e.edit.setPlainText(paragraph + u'\n');
    EXPECT_EQ(e.saveAs(QStringLiteral("data.csv")), "");
    EXPECT_EQ(e.saved(QStringLiteral("data.csv")),
              "\xFF\xFE" + utf16(paragraph + QStringLiteral("\r\n")))
        << "one line, whatever the editor's width";

    e.edit.clear();
    e.loader.setMode(EditorFileMode::Rich);
    EXPECT_EQ(e.saveAs(QStringLiteral("empty")), "");
    EXPECT_EQ(e.saved(QStringLiteral("empty")), QByteArray("\xFF\xFE", 2));
    EXPECT_EQ(e.loader.mode(), EditorFileMode::Plain);
}

TEST(Save, AnRtfFileReopensFormattedAndSetsRichMode)
{
    Editor e;
    writeLetter(e.edit);
    e.loader.setMode(EditorFileMode::Plain);
    EXPECT_EQ(e.saveAs(QStringLiteral("letter.rtf")), "");
    EXPECT_EQ(e.loader.mode(), EditorFileMode::Rich);
    EXPECT_TRUE(e.saved(QStringLiteral("letter.rtf")).startsWith("{\\rtf1"));

    QTextEdit reopened;
    documents::EditorLoader(reopened).load(e.files.folder.filePath(QStringLiteral("letter.rtf")));
    EXPECT_EQ(reopened.toPlainText(), QStringLiteral("Dear 朗读 friend\nSecond paragraph"));
    QTextCursor at(reopened.document());
    at.setPosition(6);
    EXPECT_EQ(at.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(at.charFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(at.charFormat().fontPointSize(), 16);
    EXPECT_EQ(reopened.document()->begin().blockFormat().alignment(), Qt::AlignHCenter);
}

TEST(Save, TheWordProcessorReadsTheSameWordsFromOurRtf)
{
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
        GTEST_SKIP() << "no word processor (soffice) is installed";
    Editor e;
    writeLetter(e.edit);
    ASSERT_EQ(e.saveAs(QStringLiteral("letter.rtf")), "");
    const QString text = e.files.folder.filePath(QStringLiteral("letter.txt"));
    platform::WordApplication word(e.files.folder.filePath(QStringLiteral("profile")),
                                   e.files.folder.path(), std::chrono::seconds(120));
    word.DocumentsOpen(e.files.folder.filePath(QStringLiteral("letter.rtf")));
    word.ActiveDocumentSaveAs(text, platform::WordApplication::wdFormatText);
    word.Quit();
    EXPECT_EQ(QString::fromUtf8(fileBytes(text))
                  .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts),
              QStringList({"Dear", "朗读", "friend", "Second", "paragraph"}));
}

TEST(Save, AFailedWriteReportsAndLeavesTheOldFileWhole)
{
    Editor e;
    e.files.write(QStringLiteral("kept.txt"), "old contents");
    e.edit.setPlainText(QStringLiteral("new ").repeated(10000));
    {
        const testsupport::FileSizeLimit fullDisk(1000);
        EXPECT_EQ(e.saveAs(QStringLiteral("kept.txt")), "Stream write error");
        EXPECT_EQ(e.saveAs(QStringLiteral("kept.rtf")), "Failed to Save Stream");
    }
    EXPECT_EQ(e.saved(QStringLiteral("kept.txt")), "old contents");
    EXPECT_EQ(QDir(e.files.folder.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("kept.txt")});

    EXPECT_THAT(e.saveAs(QStringLiteral("missing/a.txt")),
                HasSubstr("Cannot create file \"" +
                          e.files.folder.filePath(QStringLiteral("missing/a.txt")).toStdString() +
                          "\". "));
}

TEST(Print, TheTextGoesToThePrinterChosenTitledWithTheText)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "poppler's tools are not installed";
    QTextEdit edit;
    writeLetter(edit);
    testsupport::ScriptedEditorDialogs dialogs;
    QStringList messages;
    editor::Printing printing(edit, dialogs, [&](const QString& text) { messages << text; });
    printing.print();
    EXPECT_TRUE(messages.isEmpty()) << "cancelled";

    testsupport::TemporaryFiles files;
    const QString pdf = files.folder.filePath(QStringLiteral("letter.pdf"));
    dialogs.printerAnswer = [&](QPrinter& printer) { printer.setOutputFileName(pdf); };
    printing.print();
    EXPECT_THAT(popplerOutput("pdftotext", {pdf, QStringLiteral("-")}),
                HasSubstr("Second paragraph"));
    EXPECT_THAT(popplerOutput("pdfinfo", {pdf}), HasSubstr("Dear 朗读 friend Second paragraph\n"));

    dialogs.printerAnswer = [&](QPrinter& printer) {
        printer.setOutputFileName(files.folder.filePath(QStringLiteral("missing/letter.pdf")));
    };
    printing.print();
    EXPECT_EQ(messages, QStringList{QStringLiteral("打印错误!")});
}

TEST(Print, TheJobTitleIsTheTextOnOneLineCutShort)
{
    EXPECT_EQ(editor::jobTitle(QStringLiteral("  Dear\n friend\t ")),
              QStringLiteral("Dear friend"));
    EXPECT_EQ(editor::jobTitle(QString(500, u'x')).size(), 100);
}
