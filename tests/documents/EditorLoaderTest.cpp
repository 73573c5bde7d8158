// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/EditorLoader.h"

#include "documents/BookLoader.h"
#include "documents/DocumentConverters.h"
#include "documents/DocumentOpener.h"
#include "documents/DocumentTypes.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/TemporaryFiles.h"

#include <gtest/gtest.h>
#include <optional>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>
#include <sys/stat.h>

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

TEST(EditorLoader, AnRtfFileIsAlwaysFormattedAndOtherFilesHoldingRtfOnlyInRichMode)
{
    Files files;
    const QByteArray rtf = "{\\rtf1\\ansi {\\b Bold} text}";
    const QString path = files.write(QStringLiteral("a.RTF"), rtf);
    const QString text = files.write(QStringLiteral("a.txt"), rtf);
    QTextEdit editor;
    EditorLoader loader(editor);
    for (const EditorFileMode mode : {EditorFileMode::Rich, EditorFileMode::Plain}) {
        loader.setMode(mode);
        loader.load(path);
        EXPECT_EQ(editor.toPlainText(), QStringLiteral("Bold text"));
    }
    loader.load(text);
    EXPECT_EQ(editor.toPlainText(), QString::fromLatin1(rtf));
    loader.setMode(EditorFileMode::Rich);
    loader.load(text);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("Bold text"));
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

namespace {

// The message a refused load gives; none when it loads.
std::string refusal(EditorLoader& loader, const QString& path)
{
    try {
        loader.load(path);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return {};
}

std::string cannotOpen(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason).toStdString();
}

} // namespace

TEST(EditorLoader, OnlyRegularFilesAreReadAndNothingBlocks)
{
    Files files;
    const QString fifo = files.folder.filePath(QStringLiteral("x.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString zeros = files.folder.filePath(QStringLiteral("z.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeros));
    const QString folder = files.folder.filePath(QStringLiteral("d.txt"));
    ASSERT_TRUE(QDir().mkdir(folder));
    QTextEdit editor;
    EditorLoader loader(editor);
    editor.setPlainText(QStringLiteral("before"));
    for (const QString& path : {fifo, zeros, folder}) {
        EXPECT_EQ(refusal(loader, path),
                  cannotOpen(path, QStringLiteral("It is not a regular file.")));
        EXPECT_EQ(editor.toPlainText(), QStringLiteral("before")) << "a refusal leaves the editor";
    }
    const QString link = files.folder.filePath(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(files.write(QStringLiteral("target.txt"), "linked"), link));
    loader.load(link);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("linked"));
}

TEST(EditorLoader, AFilePastTheLimitIsRefusedUnread)
{
    Files files;
    QFile big(files.folder.filePath(QStringLiteral("big.txt")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(EditorLoader::MaxFileBytes + 1));
    QTextEdit editor;
    EditorLoader loader(editor);
    EXPECT_EQ(refusal(loader, big.fileName()),
              cannotOpen(big.fileName(),
                         QStringLiteral("It is 50.1 MB; files up to 50 MB can be opened.")));
}

TEST(EditorLoader, TheWaitCursorShowsWhileTheTextLoadsAndGoesAfterAnError)
{
    Files files;
    QTextEdit editor;
    EditorLoader loader(editor);
    std::optional<Qt::CursorShape> shown;
    QObject::connect(editor.document(), &QTextDocument::contentsChanged, [&] {
        if (const QCursor* cursor = QGuiApplication::overrideCursor())
            shown = cursor->shape();
    });
    loader.load(files.write(QStringLiteral("a.txt"), "text"));
    EXPECT_EQ(shown, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // The kernel's image of the memory is a regular file whose start cannot be read.
    const QString unreadable = QStringLiteral("/proc/self/mem");
    EXPECT_EQ(refusal(loader, unreadable), cannotOpen(unreadable, "Input/output error"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(DocumentOpener, AFileThatWillNotLoadLeavesTheEditorAsItWas)
{
    Files files;
    QTextEdit editor;
    EditorLoader loader(editor);
    DocumentConverters converters(loader, {[&] { return files.folder.path() + u'/'; }, {}},
                                  [](const QString&) {});
    testsupport::FakeBrowser browser;
    BookLoader books(editor);
    DocumentOpener opener(loader, books, converters, browser);
    editor.setPlainText(QStringLiteral("before"));
    EXPECT_FALSE(opener.OpenDocumentFile(files.write(QStringLiteral("notes.text"), "x")));
    EXPECT_TRUE(opener.OpenDocumentFile(files.folder.filePath(QStringLiteral("page.html"))));
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("before"));
    EXPECT_THROW(opener.OpenDocumentFile(files.folder.filePath(QStringLiteral("missing.TXT"))),
                 std::runtime_error);
    EXPECT_THROW(opener.OpenDocumentFile(files.folder.path() + QStringLiteral("/.txt")),
                 std::runtime_error);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("before"));
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
