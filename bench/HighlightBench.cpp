// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/NullPcmSink.h"
#include "engine/HelperEngine.h"
#include "speech/ReadingControl.h"
#include "tests/support/ReadingWidgets.h"

#include <cstdio>
#include <ctime>
#include <QApplication>
#include <QEventLoop>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>

// CPU time of the window's thread per minute of reading aloud, with the word being heard marked
// and without, reading the second half of a 10 MB text: in lines, in long paragraphs and in one.
// The editor is shown and wraps, as in the window. Run it as build/bin/highlight-bench (no
// display needed).
namespace {

constexpr qsizetype TenMegabytes = 10 << 20;
constexpr int WarmUpMs = 3000;
constexpr int MeasuredMs = 20000;

// Sentences, with a paragraph end after every `paragraphLength` characters or so.
QString prose(qsizetype paragraphLength)
{
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog, again.");
    QString text;
    text.reserve(TenMegabytes + sentence.size() + 1);
    qsizetype paragraphStart = 0;
    while (text.size() < TenMegabytes) {
        text += sentence;
        const bool ends = text.size() - paragraphStart >= paragraphLength;
        text += ends ? u'\n' : u' ';
        if (ends)
            paragraphStart = text.size();
    }
    return text;
}

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Seconds of the thread's CPU time per minute of reading, and how many words were marked; a
// look at the mark every 10 ms counts them, in both cases alike.
std::pair<double, int> cpuPerMinute(speech::VoiceHolder& holder, const QString& text, bool marked)
{
    testsupport::ReadingWidgets window;
    window.editor.resize(900, 600);
    window.editor.show();
    window.editor.setPlainText(text);
    QApplication::processEvents();
    speech::ReadingControl reading(holder, window.controls());
    reading.fillVoiceList(0);
    reading.applyRateAndVolume(speech::ReadingControl::DefaultRate,
                               speech::ReadingControl::DefaultVolume);
    QTextCursor secondHalf(window.editor.document());
    secondHalf.setPosition(int(text.size() / 2));
    secondHalf.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    window.editor.setTextCursor(secondHalf);
    int marks = 0;
    reading.readAloud();
    if (!marked)
        holder->SetEventInterests(speech::Voice::AllEventInterests &
                                  ~speech::Voice::WordBoundaryInterest);
    runEventsFor(WarmUpMs);
    QTimer counter;
    int lastMark = -1;
    QObject::connect(&counter, &QTimer::timeout, [&] {
        const auto selections = window.editor.extraSelections();
        const int mark = selections.isEmpty() ? -1 : selections.front().cursor.position();
        if (mark != lastMark && mark >= 0)
            ++marks;
        lastMark = mark;
    });
    counter.start(10);
    const double before = threadCpuSeconds();
    runEventsFor(MeasuredMs);
    const double used = threadCpuSeconds() - before;
    reading.stop();
    return {used * 60000.0 / MeasuredMs, marks};
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    engine::HelperEngine engine(engine::HelperEngine::defaultHelperPath(), [](int rate) {
        return std::make_unique<audio::NullPcmSink>(rate);
    });
    speech::VoiceHolder holder(engine);
    const std::pair<const char*, QString> texts[] = {
        {"in lines", prose(1)},
        {"in paragraphs of 190,000 characters", prose(190'000)},
        {"in one paragraph", prose(TenMegabytes)},
    };
    for (const auto& [name, text] : texts) {
        const auto [without, none] = cpuPerMinute(holder, text, false);
        const auto [with, marks] = cpuPerMinute(holder, text, true);
        std::printf("10 MB %s: %.2f s of CPU per minute of reading without marking (%d words "
                    "marked), %.2f s with (%d words marked): %.1f%% and %.1f%% of one core\n",
                    name, without, none, with, marks, without / 0.6, with / 0.6);
    }
    return 0;
}
