// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/NullPcmSink.h"
#include "bench/WindowRig.h"
#include "documents/PageTextCopy.h"
#include "tests/support/FakeBrowser.h"

#include <cstdio>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <unistd.h>

namespace {

// The resident memory of the process and of every process below it, in MB.
double treeMemoryMb(pid_t root)
{
    double kilobytes = 0;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        if (!isPid)
            continue;
        for (pid_t p = pid; p > 1;) {
            if (p == root) {
                QFile status(QStringLiteral("/proc/%1/status").arg(pid));
                if (status.open(QIODevice::ReadOnly))
                    for (const QByteArray& line : status.readAll().split('\n'))
                        if (line.startsWith("VmRSS:"))
                            kilobytes += line.mid(6).trimmed().split(' ').value(0).toDouble();
                break;
            }
            QFile stat(QStringLiteral("/proc/%1/stat").arg(p));
            if (!stat.open(QIODevice::ReadOnly))
                break;
            const QByteArray fields = stat.readAll();
            p = fields.mid(fields.lastIndexOf(')') + 2).split(' ').value(1).toInt();
        }
    }
    return kilobytes / 1024;
}

void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

struct Arrival {
    double ms = 0;
    qint64 longestStallMs = 0;
};

// From Enter in the address box to the text in the editor, and the longest the window did not
// answer meanwhile.
Arrival enter(TFmain& window, const QString& address, const QString& expected)
{
    auto* box = window.findChild<QComboBox*>(QStringLiteral("CUrl"));
    auto* editor = window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    editor->clear();
    QElapsedTimer sinceTick;
    Arrival arrival;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        arrival.longestStallMs = std::max(arrival.longestStallMs, sinceTick.restart());
    });
    box->setEditText(address);
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    ticker.start(5);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    while (!editor->toPlainText().startsWith(expected) && timer.elapsed() < 120000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    arrival.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    return arrival;
}

// 50 MB of text as the browser hands it over, into the editor; the browser's own time to load
// such a page is not counted.
Arrival largePage()
{
    const QString line = QStringLiteral("The keeper wound the clock and trimmed the wicks.\n");
    testsupport::FakeBrowser browser;
    browser.bodyText = line.repeated(50'000'000 / line.size());
    QTextEdit editor;
    documents::PageTextCopy pageText(browser, editor);
    QElapsedTimer sinceTick;
    Arrival arrival;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        arrival.longestStallMs = std::max(arrival.longestStallMs, sinceTick.restart());
    });
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    ticker.start(5);
    pageText.documentComplete();
    while (editor.document()->characterCount() <= browser.bodyText.size())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    arrival.longestStallMs = std::max(arrival.longestStallMs, sinceTick.elapsed());
    arrival.ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    return arrival;
}

QString writePage(const QDir& folder, const QString& name, const QByteArray& body)
{
    QFile page(folder.filePath(name));
    if (page.open(QIODevice::WriteOnly))
        page.write("<html><body>" + body + "</body></html>");
    return page.fileName();
}

} // namespace

// Local pages through the address box: the first navigation (the browser made) and the second,
// the program's memory with its browser processes before and after the first page, and 50 MB of
// page text arriving in the editor. Run it as build/bin/page-bench (no display needed).
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    WindowRig rig(argc, argv, [](int rate) { return std::make_unique<audio::NullPcmSink>(rate); });
    TFmain& window = rig.window;
    QTemporaryDir folder;
    const QDir pages(folder.path());
    const QString first = writePage(pages, "first.html", "<p>First page</p>");
    const QString second = writePage(pages, "second.html", "<p>Second page</p>");

    settle(2000);
    const double before = treeMemoryMb(getpid());
    const Arrival one = enter(window, first, QStringLiteral("First page"));
    const Arrival two = enter(window, second, QStringLiteral("Second page"));
    settle(3000);
    const double after = treeMemoryMb(getpid());
    std::printf("Enter to text, first page (browser made): %.0f ms\n", one.ms);
    std::printf("Enter to text, second page: %.0f ms\n", two.ms);
    std::printf("Idle memory with the browser's processes: %.0f MB before the first page, %.0f MB "
                "after\n",
                before, after);
    const Arrival big = largePage();
    std::printf("50 MB of page text into the editor: %.0f ms, the window held for at most %lld "
                "ms\n",
                big.ms, static_cast<long long>(big.longestStallMs));
    return 0;
}
