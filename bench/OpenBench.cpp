#include "documents/EditorLoader.h"
#include "platform/RtfWriter.h"

#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>

// Opening a 10 MB document until its text is in the editor: plain text in both file modes, and
// RTF in rich mode. Run it as build/bin/open-bench (no display needed).
namespace {

constexpr qsizetype TenMegabytes = 10 << 20;

QByteArray plainText()
{
    const QByteArray line = "The quick brown fox jumps over the lazy dog, again and again.\n";
    QByteArray text;
    text.reserve(TenMegabytes);
    while (text.size() < TenMegabytes)
        text += line;
    return text;
}

QByteArray richText()
{
    QTextDocument document;
    QTextCursor cursor(&document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    const QString sentence = QStringLiteral("Plain words and then ");
    while (document.characterCount() < TenMegabytes / 2) {
        cursor.insertText(sentence);
        cursor.insertText(QStringLiteral("bold words."), bold);
        cursor.insertText(QStringLiteral("\n"), QTextCharFormat());
    }
    return platform::RtfWriter::write(document);
}

double openMs(const QString& path, documents::EditorFileMode mode)
{
    QTextEdit editor;
    documents::EditorLoader loader(editor);
    loader.setMode(mode);
    QElapsedTimer timer;
    timer.start();
    loader.load(path);
    return timer.nsecsElapsed() / 1e6;
}

QString write(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes)
{
    QFile file(folder.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const QString text = write(folder, QStringLiteral("big.txt"), plainText());
    const QByteArray rtf = richText();
    const QString rich = write(folder, QStringLiteral("big.rtf"), rtf);
    std::printf("10 MB .txt, plain mode: %.0f ms\n",
                openMs(text, documents::EditorFileMode::Plain));
    std::printf("10 MB .txt, rich mode: %.0f ms\n", openMs(text, documents::EditorFileMode::Rich));
    std::printf("%.1f MB .rtf, rich mode: %.0f ms\n", rtf.size() / 1048576.0,
                openMs(rich, documents::EditorFileMode::Rich));
    return 0;
}
