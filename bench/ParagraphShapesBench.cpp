// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/FirstSound.h"
#include "bench/WindowRig.h"

#include <cstdio>
#include <ctime>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

// 10 MB of prose opened through the window's address box, once in paragraphs and once as one
// paragraph without a line end: the time to open, until the window idles, the processor time the
// idle window then takes (the caret blinking), and Read aloud to its first sound. Run it as
// build/bin/paragraph-shapes-bench (no display needed, or under xvfb-run -a).
namespace {

QByteArray tenMegabytes(bool inParagraphs)
{
    const QByteArray sentence = "The keeper wound the clock and trimmed the wicks. ";
    QByteArray text;
    text.reserve(10'000'000 + sentence.size());
    for (int i = 1; text.size() < 10'000'000; ++i)
        text += inParagraphs && i % 8 == 0 ? sentence.trimmed() + '\n' : sentence;
    return text;
}

double processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

template <typename Step> double msOf(Step step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

// Processor time per second while the event loop runs for `ms`.
double processorMsPerSecond(int ms)
{
    const double before = processorMs();
    QEventLoop running;
    QTimer::singleShot(ms, &running, &QEventLoop::quit);
    running.exec();
    return (processorMs() - before) * 1000 / ms;
}

// Until the window, laying the text out in the background, takes less than 5 % of the processor
// for half a second.
double msUntilIdle()
{
    QElapsedTimer clock;
    clock.start();
    while (processorMsPerSecond(500) > 50 && clock.elapsed() < 120000) {
    }
    return static_cast<double>(clock.elapsed()) - 500;
}

void timeShape(FirstSound& firstSound, TFmain& window, const QTemporaryDir& folder,
               bool inParagraphs)
{
    const QString path = folder.filePath(inParagraphs ? QStringLiteral("paragraphs.txt")
                                                      : QStringLiteral("one-paragraph.txt"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(tenMegabytes(inParagraphs));
    file.close();
    window.findChild<QComboBox*>(QStringLiteral("CUrl"))->setEditText(path);
    const double openMs =
        msOf([&] { window.findChild<QPushButton*>(QStringLiteral("BtnGo"))->click(); });
    const double idleMs = msUntilIdle();
    window.findChild<QTextEdit*>(QStringLiteral("RichEdit1"))->setFocus();
    const double idleCpu = processorMsPerSecond(3000);
    double sound = 1e9;
    for (int run = 0; run < 3; ++run)
        sound = std::min(sound, firstSound.afterReadAloud(window));
    std::printf("10 MB %-16s | open %6.0f ms | busy until %6.0f ms after | idle window %5.1f ms "
                "processor per s | Read aloud to first sound %5.1f ms (best of 3)\n",
                inParagraphs ? "in paragraphs" : "in one paragraph", openMs, idleMs, idleCpu,
                sound);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    FirstSound firstSound;
    WindowRig rig(argc, argv, firstSound.output());
    rig.window.resize(900, 700);
    rig.window.show();
    rig.window.activateWindow();
    const QTemporaryDir folder;
    for (const bool inParagraphs : {true, false})
        timeShape(firstSound, rig.window, folder, inParagraphs);
    return 0;
}
