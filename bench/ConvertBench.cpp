// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/DocumentConverters.h"
#include "documents/EditorLoader.h"
#include "platform/OutsideProgram.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <vector>

namespace {

constexpr int Runs = 3;
constexpr std::chrono::seconds Limit(120);

QString prose(int pages)
{
    const QString sentence =
        QStringLiteral("The keeper wound the clock and trimmed the wicks before the storm. ");
    QString text;
    for (int page = 0; page < pages; ++page) {
        for (int line = 0; line < 40; ++line)
            text += sentence;
        text += QStringLiteral("\n\f");
    }
    return text;
}

// A document of the given type written by LibreOffice from plain text.
QString made(const QDir& folder, const QString& name, int pages, const QString& type)
{
    const QString source = folder.filePath(name + QStringLiteral(".txt"));
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(prose(pages).toUtf8());
    file.close();
    platform::runToEnd(QStringLiteral("soffice"),
                       {"--headless", "-env:UserInstallation=file://" + folder.filePath("profile"),
                        "--convert-to", type, "--outdir", folder.path(), source},
                       Limit);
    return folder.filePath(name + u'.' + type);
}

std::vector<double> timings(const std::function<void()>& run)
{
    std::vector<double> figures;
    for (int i = 0; i < Runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        figures.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    return figures;
}

void report(const char* what, const std::vector<double>& ours, const std::vector<double>& peers)
{
    std::printf("%s: first %.0f ms, then best %.0f ms; the command alone: first %.0f ms, then best "
                "%.0f ms; ratio of the bests %.2f\n",
                what, ours.front(), *std::min_element(ours.begin() + 1, ours.end()), peers.front(),
                *std::min_element(peers.begin() + 1, peers.end()),
                *std::min_element(ours.begin() + 1, ours.end()) /
                    *std::min_element(peers.begin() + 1, peers.end()));
}

} // namespace

// Opening a one-page .doc and a 100-page PDF to their text in the editor, against soffice and
// pdftotext run alone on the same files. The first of each is cold. Run it as
// build/bin/convert-bench (no display needed).
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir work;
    const QDir folder(work.path());
    const QString doc = made(folder, QStringLiteral("one-page"), 1, QStringLiteral("doc"));
    const QString pdf = made(folder, QStringLiteral("hundred-pages"), 100, QStringLiteral("pdf"));
    QDir().mkpath(folder.filePath(QStringLiteral("data")));
    QDir().mkpath(folder.filePath(QStringLiteral("alone")));

    QTextEdit editor;
    documents::EditorLoader loader(editor);
    documents::DocumentConverters converters(
        loader, {[&] { return folder.filePath(QStringLiteral("data/")); }, "/usr/bin/", Limit},
        [](const QString& message) { std::printf("message: %s\n", qPrintable(message)); });

    const auto ourDoc = timings([&] { converters.LoadDocFile(doc); });
    const auto aloneDoc = timings([&] {
        platform::runToEnd(
            QStringLiteral("soffice"),
            {"--headless", "-env:UserInstallation=file://" + folder.filePath("alone-profile"),
             "--convert-to", "txt:Text (encoded):UTF8", "--outdir", folder.filePath("alone"), doc},
            Limit);
    });
    report("One-page .doc to its text", ourDoc, aloneDoc);

    const auto ourPdf = timings([&] { converters.LoadPdfFile(pdf); });
    const auto alonePdf = timings([&] {
        platform::runToEnd(QStringLiteral("pdftotext"),
                           {"-q", pdf, folder.filePath(QStringLiteral("alone/out.txt"))}, Limit);
    });
    report("100-page PDF to its text", ourPdf, alonePdf);
    std::printf("Text shown: %lld characters\n",
                static_cast<long long>(editor.toPlainText().size()));
    return 0;
}
