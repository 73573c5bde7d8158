// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/QtPcmSink.h"
#include "bench/NotingSink.h"
#include "bench/WindowRig.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <QCheckBox>
#include <span>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <X11/Xlib.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
constexpr int WarmUps = 3;
constexpr int Runs = 10;
constexpr auto GiveUp = std::chrono::seconds(3);

// A started program whose output the bench reads; killed and reaped when it goes.
class Child {
public:
    explicit Child(std::vector<const char*> argv)
    {
        int out[2];
        if (pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        argv.push_back(nullptr);
        if (posix_spawnp(&pid_, argv[0], &actions, nullptr, const_cast<char**>(argv.data()),
                         environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        output_ = out[0];
    }
    ~Child()
    {
        stop();
        if (output_ >= 0)
            close(output_);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    int output() const { return output_; }
    void wait()
    {
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
    void stop()
    {
        if (pid_ > 0)
            kill(pid_, SIGTERM);
        if (pid_ > 0)
            wait();
    }

private:
    pid_t pid_ = -1;
    int output_ = -1;
};

// Presses and releases keys through the X server's test extension, as a keyboard would: a
// combination's keys go down in order and come up the other way round.
class TestKeyboard {
public:
    explicit TestKeyboard(std::vector<KeySym> keys)
        : display_(XOpenDisplay(nullptr))
    {
        for (const KeySym key : keys)
            keycodes_.push_back(display_ ? XKeysymToKeycode(display_, key) : 0);
    }
    ~TestKeyboard()
    {
        if (display_)
            XCloseDisplay(display_);
    }
    TestKeyboard(const TestKeyboard&) = delete;
    TestKeyboard& operator=(const TestKeyboard&) = delete;

    bool usable() const { return display_ && !std::ranges::count(keycodes_, 0); }
    void press()
    {
        for (const KeyCode keycode : keycodes_)
            XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
        XFlush(display_);
    }
    void release()
    {
        for (auto keycode = keycodes_.rbegin(); keycode != keycodes_.rend(); ++keycode)
            XTestFakeKeyEvent(display_, *keycode, False, CurrentTime);
        XFlush(display_);
    }

private:
    Display* display_;
    std::vector<KeyCode> keycodes_;
};

// Listens to the default PulseAudio output through its monitor and notes when sound first comes
// out of it after being armed.
class OutputMonitor {
public:
    OutputMonitor()
        : recorder_({"parec", "--device=@DEFAULT_MONITOR@", "--raw", "--format=s16le",
                     "--rate=48000", "--channels=1", "--latency-msec=1"})
        , reader_([this] { read(); })
    {
    }
    ~OutputMonitor()
    {
        recorder_.stop();
        reader_.join();
    }
    OutputMonitor(const OutputMonitor&) = delete;
    OutputMonitor& operator=(const OutputMonitor&) = delete;

    void arm()
    {
        heardAt_ = 0;
        armed_ = true;
    }
    std::optional<Clock::time_point> heardAt() const
    {
        const Clock::rep at = heardAt_;
        return at ? std::optional(Clock::time_point(Clock::duration(at))) : std::nullopt;
    }

private:
    void read()
    {
        std::array<std::int16_t, 32> samples;
        ssize_t got = 0;
        while ((got = ::read(recorder_.output(), samples.data(), sizeof samples)) > 0) {
            const auto heard = std::span(samples).first(static_cast<std::size_t>(got) / 2);
            const bool loud =
                std::ranges::any_of(heard, [](std::int16_t s) { return std::abs(s) > 300; });
            if (loud && armed_.exchange(false))
                heardAt_ = Clock::now().time_since_epoch().count();
        }
    }

    Child recorder_;
    std::atomic<bool> armed_{false};
    std::atomic<Clock::rep> heardAt_{0};
    std::thread reader_;
};

struct Figures {
    std::vector<double> intoSink;
    std::vector<double> atOutput;
};

double median(std::vector<double> figures)
{
    std::ranges::nth_element(figures, figures.begin() + figures.size() / 2);
    return figures[figures.size() / 2];
}

void report(const char* what, const std::vector<double>& ours, const char* peer,
            const std::vector<double>& peers)
{
    if (ours.empty() || peers.empty())
        return;
    std::printf("%s: median %.1f ms, best %.1f ms; %s: median %.1f ms, best %.1f ms; ratio of the "
                "medians %.2f\n",
                what, median(ours), std::ranges::min(ours), peer, median(peers),
                std::ranges::min(peers), median(ours) / median(peers));
}

std::optional<double> millisecondsSince(Clock::time_point start,
                                        std::optional<Clock::time_point> end)
{
    if (!end)
        return std::nullopt;
    return Milliseconds(*end - start).count();
}

// The espeak-ng command saying "A", from its start to its first sample on standard output.
std::optional<double> espeakToStdout()
{
    const Clock::time_point start = Clock::now();
    Child espeak({"espeak-ng", "--stdout", "A"});
    std::array<char, 4096> bytes;
    std::size_t received = 0;
    constexpr std::size_t WavHeader = 44;
    while (received <= WavHeader) {
        const ssize_t got = ::read(espeak.output(), bytes.data(), bytes.size());
        if (got <= 0)
            return std::nullopt;
        received += static_cast<std::size_t>(got);
    }
    const Clock::time_point firstSample = Clock::now();
    while (::read(espeak.output(), bytes.data(), bytes.size()) > 0) {
    }
    return Milliseconds(firstSample - start).count();
}

// The espeak-ng command saying "A" through the sound server, from its start to its sound.
std::optional<double> espeakToOutput(OutputMonitor& monitor)
{
    monitor.arm();
    const Clock::time_point start = Clock::now();
    Child espeak({"espeak-ng", "A"});
    espeak.wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return millisecondsSince(start, monitor.heardAt());
}

void settle(std::chrono::milliseconds time)
{
    const Clock::time_point end = Clock::now() + time;
    while (Clock::now() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

constexpr char Sentence[] = "The quick brown fox jumps over the lazy dog.";

// Another program's selection, as a user's selecting leaves it: xclip holds it until replaced.
bool selectInAnotherProgram()
{
    const std::string command =
        std::string("printf %s '") + Sentence + "' | xclip -selection primary -loops 0";
    return std::system(command.c_str()) == 0;
}

// Waits for the first sound, handed to the output and heard at the device, from `start`, and
// notes both unless the run only warms up.
void noteFirstSound(Clock::time_point start, const std::atomic<Clock::rep>& soundAt,
                    OutputMonitor* monitor, Figures* figures)
{
    while (!soundAt && Clock::now() - start < GiveUp)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    settle(std::chrono::milliseconds(300));
    if (!figures)
        return;
    if (soundAt)
        figures->intoSink.push_back(
            Milliseconds(Clock::time_point(Clock::duration(soundAt.load())) - start).count());
    if (monitor)
        if (const auto heard = millisecondsSince(start, monitor->heardAt()))
            figures->atOutput.push_back(*heard);
}

// Ctrl+Alt+Space with a sentence selected in another program, to the sentence's first sound.
Figures selectionShortcut(TFmain& window, std::atomic<Clock::rep>& soundAt, OutputMonitor* monitor)
{
    TestKeyboard shortcut({XK_Control_L, XK_Alt_L, XK_space});
    Figures figures;
    for (int run = 0; run < WarmUps + Runs; ++run) {
        soundAt = 0;
        if (monitor)
            monitor->arm();
        const Clock::time_point pressed = Clock::now();
        shortcut.press();
        shortcut.release();
        noteFirstSound(pressed, soundAt, monitor, run < WarmUps ? nullptr : &figures);
        window.BtnStopClick();
        settle(std::chrono::milliseconds(500));
    }
    return figures;
}

// spd-say of the same sentence through a speech-dispatcher kept running, to its first sound.
std::vector<double> spdSay(OutputMonitor& monitor)
{
    std::vector<double> figures;
    for (int run = 0; run < WarmUps + Runs; ++run) {
        monitor.arm();
        const Clock::time_point start = Clock::now();
        Child say({"spd-say", Sentence});
        say.wait();
        while (!monitor.heardAt() && Clock::now() - start < GiveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        const auto heard = millisecondsSince(start, monitor.heardAt());
        Child({"spd-say", "--cancel"}).wait();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (run >= WarmUps && heard)
            figures.push_back(*heard);
    }
    return figures;
}

} // namespace

// From the release of a key typed on the X display to the first sound of its name, through the
// window's keyboard hook, against the espeak-ng command saying the same letter; then from the
// selection shortcut to the first sound of a selected sentence, against spd-say. Without a sound
// server only the hand-over to the output is timed. Run it on an X display with the hook library
// beside it: xvfb-run -a build/bin/key-speak-bench
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "xcb");
    std::atomic<Clock::rep> soundAt{0};
    const audio::PcmSinkFactory output = audio::defaultPcmSinkFactory();
    WindowRig rig(argc, argv, [&](int rate) {
        return std::make_unique<NotingSink>(
            rate,
            [&] {
                Clock::rep none = 0;
                soundAt.compare_exchange_strong(none, Clock::now().time_since_epoch().count());
            },
            output(rate));
    });
    TFmain& window = rig.window;
    window.show();
    window.hide();
    TestKeyboard keyboard({XK_a});
    if (!keyboard.usable()) {
        std::fprintf(stderr, "key-speak-bench: no X display with the test extension\n");
        return 1;
    }
    const bool soundServer = std::system("pactl info >/dev/null 2>&1") == 0;
    std::optional<OutputMonitor> monitor;
    if (soundServer)
        monitor.emplace();
    settle(std::chrono::milliseconds(500));

    Figures lectorix, espeak;
    for (int run = 0; run < WarmUps + Runs; ++run) {
        keyboard.press();
        settle(std::chrono::milliseconds(100));
        soundAt = 0;
        if (monitor)
            monitor->arm();
        const Clock::time_point released = Clock::now();
        keyboard.release();
        noteFirstSound(released, soundAt, monitor ? &*monitor : nullptr,
                       run < WarmUps ? nullptr : &lectorix);
        settle(std::chrono::milliseconds(400));
    }
    for (int run = 0; run < WarmUps + Runs; ++run) {
        const auto toStdout = espeakToStdout();
        const auto toOutput = monitor ? espeakToOutput(*monitor) : std::nullopt;
        if (run < WarmUps)
            continue;
        if (toStdout)
            espeak.intoSink.push_back(*toStdout);
        if (toOutput)
            espeak.atOutput.push_back(*toOutput);
    }
    report("First sample handed to the output", lectorix.intoSink, "espeak-ng --stdout A",
           espeak.intoSink);
    report("First sound at the output device", lectorix.atOutput, "espeak-ng A", espeak.atOutput);

    if (!selectInAnotherProgram()) {
        std::fprintf(stderr, "key-speak-bench: xclip could not select the sentence\n");
        return 1;
    }
    window.findChild<QCheckBox*>(QStringLiteral("CBSpeakKeyAll"))->setChecked(false);
    const Figures selection = selectionShortcut(window, soundAt, monitor ? &*monitor : nullptr);
    if (!selection.intoSink.empty())
        std::printf("Selection shortcut to its first sample handed to the output: median %.1f ms, "
                    "best %.1f ms\n",
                    median(selection.intoSink), std::ranges::min(selection.intoSink));
    if (monitor)
        report("Selection shortcut to its first sound at the output device", selection.atOutput,
               "spd-say through a running speech-dispatcher", spdSay(*monitor));
    if (!soundServer)
        std::printf("No sound server: the output device was not timed.\n");
    return 0;
}
