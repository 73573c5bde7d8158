// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FindReplace.h"

#include <cstdio>
#include <QApplication>
#include <QElapsedTimer>
#include <QTextEdit>

// Replace All of a common word in a 10 MB text, and the one undo that brings the text back: in
// lines of prose, and in one paragraph without a line break. The editor is shown and wraps, as
// in the window. Run it as build/bin/replace-bench (no display needed).
namespace {

constexpr qsizetype TenMegabytes = 10 << 20;

QString prose(const QString& lineEnd)
{
    const QString line =
        QStringLiteral("The quick brown fox jumps over the lazy dog, again.") + lineEnd;
    QString text;
    text.reserve(TenMegabytes + line.size());
    while (text.size() < TenMegabytes)
        text += line;
    return text;
}

template <typename Step> double msOf(Step step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

void measure(const char* title, const QString& text)
{
    QTextEdit editor;
    editor.resize(900, 600);
    editor.show();
    editor.setPlainText(text);
    QApplication::processEvents();
    int shown = 0;
    editor::FindReplace commands(editor, [&](const QString&, const QString&) { ++shown; });
    const QString before = editor.toPlainText();
    const double replaceMs = msOf([&] {
        commands.replace({{QStringLiteral("the"), {}}, QStringLiteral("a"), true});
    });
    const qsizetype replaced = (before.size() - editor.toPlainText().size()) / 2;
    const double undoMs = msOf([&] { editor.undo(); });
    const bool restored = editor.toPlainText() == before;
    std::printf("%s: %lld replaced in %.0f ms; one undo %.0f ms, text %s; %d message\n", title,
                static_cast<long long>(replaced), replaceMs, undoMs,
                restored ? "restored" : "NOT RESTORED", shown);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    measure("Lines of prose", prose(QStringLiteral("\n")));
    measure("One paragraph", prose(QStringLiteral(" ")));
    return 0;
}
