// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/KeyOwnership.h"

#include "live/HookChannel.h"

namespace live {

KeyOwnership::KeyOwnership(unsigned char* block)
    : block_(block)
{
}

std::uint32_t KeyOwnership::word(std::size_t index) const
{
    HookBlock bytes{};
    std::copy_n(block_ + 4 * index, bytes.size(), bytes.begin());
    return loadWindow(bytes);
}

void KeyOwnership::setWord(std::size_t index, std::uint32_t value)
{
    storeWindow(block_ + 4 * index, value);
}

// The waiting windows end at the first empty word.
std::size_t KeyOwnership::waitingCount() const
{
    std::size_t count = 0;
    while (1 + count < Words && word(1 + count) != 0)
        ++count;
    return count;
}

void KeyOwnership::stopWaiting(std::uint32_t window)
{
    std::size_t kept = 1;
    for (std::size_t i = 1; i <= waitingCount(); ++i)
        if (const std::uint32_t waiting = word(i); waiting != window)
            setWord(kept++, waiting);
    for (; kept < Words; ++kept)
        setWord(kept, 0);
}

// With every word taken, the earliest copy waits no more.
void KeyOwnership::claim(std::uint32_t window)
{
    stopWaiting(window);
    const std::uint32_t owner = word(0);
    if (owner != 0 && owner != window) {
        if (waitingCount() == Words - 1)
            stopWaiting(word(1));
        setWord(1 + waitingCount(), owner);
    }
    setWord(0, window);
}

void KeyOwnership::release(std::uint32_t window, const std::function<bool(std::uint32_t)>& exists)
{
    stopWaiting(window);
    if (word(0) != window)
        return;
    std::uint32_t next = 0;
    for (std::size_t count = waitingCount(); count > 0 && next == 0; --count) {
        const std::uint32_t latest = word(count);
        setWord(count, 0);
        if (exists(latest))
            next = latest;
    }
    setWord(0, next);
}

} // namespace live
