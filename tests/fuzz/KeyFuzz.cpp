// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/hooklib/KeyTracker.h"
#include "live/KeySpeaking.h"
#include "platform/KeyNames.h"
#include "speech/VoiceHolder.h"
#include "tests/support/FakeSpeechEngine.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <QApplication>
#include <QCheckBox>
#include <QTextEdit>

namespace {

constexpr std::uint32_t Repeat = 1u << 30;
constexpr std::uint32_t Release = 1u << 31;

QApplication& application()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "key-fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication& application = *new QApplication(argc, argv);
    return application;
}

struct Window {
    QApplication& widgets = application();
    testsupport::FakeSpeechEngine engine;
    speech::VoiceHolder voice{engine};
    QCheckBox all, letterDigit, letter, digit, show;
    QTextEdit editor;
    live::KeySpeaking speaking{voice, {all, letterDigit, letter, digit, show}, editor};
};

// The name's copy stays inside the buffer it is given and ends there.
void copyName(std::uint32_t flags, int size)
{
    std::array<char, 128> buffer;
    buffer.fill('#');
    const int copied = GetKeyNameTextA(flags, buffer.data(), size);
    const auto untouched = [&](int from) {
        return std::all_of(buffer.begin() + from, buffer.end(), [](char c) { return c == '#'; });
    };
    if (size <= 0 ? copied != 0 || !untouched(0)
                  : copied >= size || buffer[copied] != '\0' ||
                        std::strlen(buffer.data()) != static_cast<std::size_t>(copied) ||
                        !untouched(size))
        std::abort();
}

Window* window = nullptr;

} // namespace

// Fontconfig keeps a little of the fonts Qt loads for good.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    window = new Window;
    return 0;
}

// Any sequence of raw key events from any devices: each key goes down before it comes up and
// comes up once, every name fits the buffer it is copied to, and speaking the keys in any mode
// neither crashes nor hangs.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Window& window = *::window;
    window.engine.calls.clear();
    window.editor.clear();
    live::KeyTracker tracker;
    std::array<bool, 256> down{};
    std::uint32_t time = 0;
    for (std::size_t at = 0; at + 4 <= size; at += 4) {
        const live::RawKey key{data[at], (data[at + 1] & 1) != 0, data[at + 1] >> 1 & 3,
                               time += data[at + 2]};
        const auto flags = tracker.flagsFor(key);
        if (!flags)
            continue;
        const bool release = (*flags & Release) != 0;
        const bool repeat = (*flags & Repeat) != 0;
        const bool wasDown = down[key.keycode];
        if (release ? !key.release || !wasDown || !repeat : key.release || repeat != wasDown)
            std::abort();
        down[key.keycode] = !release;
        copyName(*flags, data[at + 3] % 110 - 2);
        const std::uint8_t modes = data[at + 3];
        window.all.setChecked(modes & 1);
        window.letterDigit.setChecked(modes & 2);
        window.letter.setChecked(modes & 4);
        window.digit.setChecked(modes & 8);
        window.show.setChecked(modes & 16);
        window.speaking.keyMessage(*flags);
    }
    return 0;
}
