// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/EditorAppearance.h"
#include "documents/EditorLoader.h"
#include "formats/rtf/RtfWriter.h"

#include <algorithm>
#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>

// Opening a 10 MB document until its text is in the editor: plain text in both file modes, and
// RTF in rich mode. Then how plain texts of growing size keep the editor, set up as the main
// window sets it up, responsive: setting the text, the first return to the event loop, the longest
// pause while the layout goes on, and a key press and scrolls once it is done. Run it as
// build/bin/open-bench (no display needed); `open-bench 10 25 50` times those sizes in MB.
namespace {

constexpr qsizetype Megabyte = 1 << 20;
constexpr qsizetype TenMegabytes = 10 * Megabyte;
// The layout is taken as done once the event loop has been idle for this long; "busy until" at
// the longest wait means it was still going on, and a pass begun before may run far past it.
constexpr double IdleMs = 2000;
constexpr double LongestWaitMs = 120000;

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
    return formats::RtfWriter::write(document);
}

template <typename Step> double msOf(Step step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

double openMs(const QString& path, documents::EditorFileMode mode)
{
    QTextEdit editor;
    documents::EditorLoader loader(editor);
    loader.setMode(mode);
    return msOf([&] { loader.load(path); });
}

QString write(const QTemporaryDir& folder, const QString& name, const QByteArray& bytes)
{
    QFile file(folder.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

QByteArray prose(qsizetype megabytes)
{
    QFile file(QStringLiteral(LECTORIX_BENCH_DATA "/hard-wrapped-prose.txt"));
    file.open(QIODevice::ReadOnly);
    const QByteArray chapter = file.readAll();
    return chapter.repeated(megabytes * Megabyte / chapter.size() + 1).left(megabytes * Megabyte);
}

struct Pauses {
    double first = 0;
    double longest = 0;
    double busyUntil = 0;
};

// Runs the event loop until it has been idle for a while, noting how long each pass kept it busy
// and when the last busy one ended: the lazy layout works in passes of its own.
Pauses runUntilIdle()
{
    constexpr double BusyMs = 10;
    QElapsedTimer clock;
    clock.start();
    Pauses pauses;
    pauses.first = msOf([] { QCoreApplication::processEvents(); });
    pauses.busyUntil = static_cast<double>(clock.elapsed());
    while (clock.elapsed() - pauses.busyUntil < IdleMs && clock.elapsed() < LongestWaitMs) {
        const double pass = msOf([] { QCoreApplication::processEvents(); });
        pauses.longest = std::max(pauses.longest, pass);
        if (pass > BusyMs)
            pauses.busyUntil = static_cast<double>(clock.elapsed());
    }
    return pauses;
}

// A key's effect until it is on screen.
double keyMs(QTextEdit& editor, int key, Qt::KeyboardModifiers modifiers, const QString& text = {})
{
    return msOf([&] {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(&editor, &press);
        editor.viewport()->repaint();
    });
}

// The text is set straight, as the loader refuses files past its limit.
void timeResponsiveness(const QByteArray& text, qsizetype megabytes, bool wrap)
{
    QTextEdit editor;
    EditorAppearance appearance(editor);
    appearance.setWordWrap(wrap);
    editor.resize(820, 620);
    editor.show();
    QCoreApplication::processEvents();
    const double setMs = msOf([&] { editor.setPlainText(QString::fromUtf8(text)); });
    const Pauses pauses = runUntilIdle();
    const double typeMs = keyMs(editor, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    const double againMs = keyMs(editor, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    const double pageMs = keyMs(editor, Qt::Key_PageDown, Qt::NoModifier);
    const double endMs = keyMs(editor, Qt::Key_End, Qt::ControlModifier);
    const double dragMs = msOf([&] {
        editor.verticalScrollBar()->setValue(editor.verticalScrollBar()->maximum() / 2);
        editor.viewport()->repaint();
    });
    std::printf("%4lld MB, wrap %-3s | set text %7.0f | first pass %6.0f | longest pause %5.0f | "
                "busy until %6.0f | key %5.1f, again %5.1f | page down %5.1f | ctrl+end %5.1f | "
                "thumb to middle %5.1f\n",
                static_cast<long long>(megabytes), wrap ? "on" : "off", setMs, pauses.first,
                pauses.longest, pauses.busyUntil, typeMs, againMs, pageMs, endMs, dragMs);
    std::fflush(stdout);
}

void timeOpening(const QTemporaryDir& folder)
{
    const QString text = write(folder, QStringLiteral("big.txt"), plainText());
    const QByteArray rtf = richText();
    const QString rich = write(folder, QStringLiteral("big.rtf"), rtf);
    std::printf("10 MB .txt, plain mode: %.0f ms\n",
                openMs(text, documents::EditorFileMode::Plain));
    std::printf("10 MB .txt, rich mode: %.0f ms\n", openMs(text, documents::EditorFileMode::Rich));
    std::printf("%.1f MB .rtf, rich mode: %.0f ms\n", rtf.size() / 1048576.0,
                openMs(rich, documents::EditorFileMode::Rich));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir folder;
    timeOpening(folder);
    QList<qsizetype> sizes = {10, 25, 50, 100};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.append(QByteArray(argv[i]).toLongLong());
    }
    std::printf("Plain prose in the editor (ms):\n");
    for (const qsizetype megabytes : sizes) {
        const QByteArray text = prose(megabytes);
        for (const bool wrap : {true, false})
            timeResponsiveness(text, megabytes, wrap);
    }
    return 0;
}
