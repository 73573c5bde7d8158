// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace live {

// Which copy of the program gets the keys, kept in the shared block. The block starts with the
// window that gets them, the one word the hook library reads; after it wait the windows of
// earlier copies, the latest last. A copy that stops gives the keys back to the latest earlier
// copy still there, so they reach exactly one window whichever copy closes first.
class KeyOwnership {
public:
    static constexpr std::size_t BlockSize = 64;

    explicit KeyOwnership(unsigned char* block);

    void claim(std::uint32_t window);
    // `exists` tells whether a waiting window is still there: a copy that crashed never said so.
    void release(std::uint32_t window, const std::function<bool(std::uint32_t)>& exists);

private:
    static constexpr std::size_t Words = BlockSize / 4;

    std::uint32_t word(std::size_t index) const;
    void setWord(std::size_t index, std::uint32_t value);
    std::size_t waitingCount() const;
    void stopWaiting(std::uint32_t window);

    unsigned char* block_;
};

} // namespace live
