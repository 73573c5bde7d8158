#include "documents/EditorLoader.h"

#include "documents/DocumentOpener.h"
#include "documents/DocumentTypes.h"
#include "tests/support/TemporaryFiles.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>

using namespace documents;

namespace {

using Files = testsupport::TemporaryFiles;

QByteArray utf16(const QString& text, bool littleEndian)
{
    QByteArray bytes(littleEndian ? "\xFF\xFE" : "\xFE\xFF");
    for (const QChar c : text) {
        const char low = static_cast<char>(c.unicode() & 0xFF);
        const char high = static_cast<char>(c.unicode() >> 8);
        bytes.append(littleEndian ? low : high).append(littleEndian ? high : low);
    }
    return bytes;
}

const QString Chinese = QStringLiteral("朗读 this text\n第二行");
// Chinese as a Chinese Windows writes it, in GBK.
const QByteArray ChineseInGbk = "\xC0\xCA\xB6\xC1 this text\n\xB5\xDA\xB6\xFE\xD0\xD0";

// The font and colour the editor shows its first character in.
std::pair<QFont, QColor> firstCharacterLook(const QTextEdit& editor)
{
    QTextCursor cursor(editor.document());
    cursor.setPosition(1);
    const QTextCharFormat format = cursor.charFormat();
    const QColor color = format.foreground().style() == Qt::NoBrush
                             ? editor.palette().color(QPalette::Text)
                             : format.foreground().color();
    return {format.font().resolve(editor.document()->defaultFont()), color};
}

} // namespace

TEST(EditorLoader, EveryMarkGivesTheSameTextInEitherMode)
{
    Files files;
    const QString paths[] = {
        files.write(QStringLiteral("le.txt"), utf16(Chinese, true)),
        files.write(QStringLiteral("be.txt"), utf16(Chinese, false)),
        files.write(QStringLiteral("bom.txt"), "\xEF\xBB\xBF" + Chinese.toUtf8()),
        files.write(QStringLiteral("plain.txt"), Chinese.toUtf8()),
    };
    for (const EditorFileMode mode : {EditorFileMode::Rich, EditorFileMode::Plain}) {
        QTextEdit editor;
        EditorLoader loader(editor);
        loader.setMode(mode);
        for (const QString& path : paths) {
            loader.load(path);
            EXPECT_EQ(editor.toPlainText(), Chinese) << path.toStdString();
        }
        loader.load(files.write(QStringLiteral("short.txt"), "\xFF\xFEx"));
        EXPECT_TRUE(editor.toPlainText().isEmpty());
    }
}

TEST(EditorLoader, WindowsCodePagesOpenAsTheirTextInEitherMode)
{
    Files files;
    const QString chinese = files.write(QStringLiteral("gbk.txt"), ChineseInGbk);
    const QString french = files.write(QStringLiteral("french.txt"), "Caf\xE9 cr\xE8me, c\x9Cur");
    for (const EditorFileMode mode : {EditorFileMode::Rich, EditorFileMode::Plain}) {
        QTextEdit editor;
        EditorLoader loader(editor);
        loader.setMode(mode);
        loader.load(chinese);
        EXPECT_EQ(editor.toPlainText(), Chinese);
        loader.load(french);
        EXPECT_EQ(editor.toPlainText(), QStringLiteral("Café crème, cœur"));
    }
}

TEST(EditorLoader, BytesThatDoNotParseAsRtfShowAsTextInRichMode)
{
    Files files;
    QTextEdit editor;
    EditorLoader loader(editor);
    loader.load(files.write(QStringLiteral("a.rtf"), "{\\rtfx " + ChineseInGbk + "}"));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("{\\rtfx ") + Chinese + u'}');
}

TEST(EditorLoader, PlainTextAfterRtfTakesTheEditorsOwnFontAndColour)
{
    Files files;
    const QString rtf =
        files.write(QStringLiteral("loud.rtf"), "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}"
                                                "\\b\\cf1\\fs48 Loud}");
    const QString text = files.write(QStringLiteral("quiet.txt"), "quiet");
    for (const EditorFileMode mode : {EditorFileMode::Rich, EditorFileMode::Plain}) {
        QTextEdit editor;
        editor.setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
        const QColor ownColour = editor.palette().color(QPalette::Text);
        EditorLoader loader(editor);
        loader.load(rtf);
        const auto [loudFont, loudColour] = firstCharacterLook(editor);
        EXPECT_TRUE(loudFont.bold());
        EXPECT_EQ(loudFont.pointSize(), 24);
        EXPECT_EQ(loudColour, QColor(255, 0, 0));
        loader.setMode(mode);
        loader.load(text);
        const auto [font, colour] = firstCharacterLook(editor);
        EXPECT_EQ(editor.toPlainText(), QStringLiteral("quiet"));
        EXPECT_FALSE(font.bold());
        EXPECT_EQ(font.pointSize(), 11);
        EXPECT_EQ(font.family(), editor.font().family());
        EXPECT_EQ(colour, ownColour);
    }
}

TEST(EditorLoader, RtfIsFormattedInRichModeAndSourceInPlainMode)
{
    Files files;
    const QByteArray rtf = "{\\rtf1\\ansi {\\b Bold} text}";
    const QString path = files.write(QStringLiteral("a.rtf"), rtf);
    QTextEdit editor;
    EditorLoader loader(editor);
    loader.load(path);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Bold text"));
    loader.setMode(EditorFileMode::Plain);
    loader.load(path);
    EXPECT_EQ(editor.toPlainText(), QString::fromLatin1(rtf));
}

TEST(EditorLoader, AFileThatCannotBeOpenedSaysWhichAndWhy)
{
    QTextEdit editor;
    EditorLoader loader(editor);
    try {
        loader.load(QStringLiteral("/nonexistent/a.txt"));
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(
            QString::fromUtf8(error.what()),
            QStringLiteral("Cannot open file \"/nonexistent/a.txt\". No such file or directory"));
    }
}

TEST(DocumentOpener, TextRowsClearTheEditorFirstAndOthersLeaveIt)
{
    Files files;
    QTextEdit editor;
    EditorLoader loader(editor);
    DocumentOpener opener(editor, loader);
    editor.setPlainText(QStringLiteral("before"));
    EXPECT_FALSE(opener.OpenDocumentFile(files.write(QStringLiteral("notes.text"), "x")));
    EXPECT_TRUE(opener.OpenDocumentFile(files.folder.filePath(QStringLiteral("page.html"))));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("before"));
    EXPECT_THROW(opener.OpenDocumentFile(files.folder.filePath(QStringLiteral("missing.TXT"))),
                 std::runtime_error);
    EXPECT_TRUE(editor.toPlainText().isEmpty());
    EXPECT_TRUE(opener.OpenDocumentFile(files.write(QStringLiteral("Archive.tar.TXT"), "inside")));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("inside"));
}

TEST(DocumentTypes, ChosenPathsKeepTheirCaseWhereTheFileSystemTellsCaseApart)
{
    Files files;
    const QString mixed = files.write(QStringLiteral("Report.TXT"), "x");
    EXPECT_EQ(pathAsChosen(mixed), mixed);
    const QString lower = files.write(QStringLiteral("lower.txt"), "x");
    EXPECT_EQ(pathAsChosen(lower), lower);
}
