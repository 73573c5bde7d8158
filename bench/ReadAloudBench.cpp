// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/FirstSound.h"
#include "bench/WindowRig.h"

#include <cstdio>
#include <QTextEdit>

namespace {

QString tenMegabytes(bool inParagraphs)
{
    const QString sentence = QStringLiteral("The keeper wound the clock and trimmed the wicks. ");
    QString text;
    text.reserve(10'000'000 + sentence.size());
    for (int i = 1; text.size() < 10'000'000; ++i)
        text += inParagraphs && i % 8 == 0 ? sentence.trimmed() + u'\n' : sentence;
    return text;
}

double firstSoundAfterReadAloud(FirstSound& firstSound, TFmain& window, const QString& text)
{
    window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))->setPlainText(text);
    QCoreApplication::processEvents();
    return firstSound.afterReadAloud(window);
}

} // namespace

// Read aloud to the first sound reaching the output, through the window's button, for a short
// text and for 10 MB in paragraphs and as one paragraph. Run it as build/bin/read-aloud-bench
// (no display needed).
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    FirstSound firstSound;
    WindowRig rig(argc, argv, firstSound.output());
    TFmain& window = rig.window;
    const std::pair<const char*, QString> texts[] = {
        {"short text", QStringLiteral("A short text to read.")},
        {"10 MB in paragraphs", tenMegabytes(true)},
        {"10 MB in one paragraph", tenMegabytes(false)},
    };
    for (const auto& [name, text] : texts) {
        firstSoundAfterReadAloud(firstSound, window, text);
        double best = 1e9;
        for (int run = 0; run < 3; ++run)
            best = std::min(best, firstSoundAfterReadAloud(firstSound, window, text));
        std::printf("Read aloud to first sound, %s: %.1f ms (best of 3)\n", name, best);
    }
    return 0;
}
