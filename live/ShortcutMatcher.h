// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <QKeyCombination>
#include <set>

namespace live {

// Tells, from the keystroke flags the key hook sends, when one key combination is pressed anywhere
// on the desktop. The keys of a pressed combination are its own: their releases are swallowed, so
// that key speaking does not cut short what the combination started.
class ShortcutMatcher {
public:
    enum class Outcome { Other, Pressed, Swallowed };

    // QKeyCombination() matches nothing.
    void setCombination(QKeyCombination combination);
    QKeyCombination combination() const { return combination_; }

    Outcome keyMessage(std::uint32_t lParam);

private:
    // Scan code and extended bit, as the flags carry them.
    using Key = std::uint32_t;

    Qt::KeyboardModifiers heldModifiers() const;

    QKeyCombination combination_;
    std::set<Key> heldModifiers_;
    std::set<Key> swallowed_;
};

// The Qt key of a keystroke's flags on the US layout; Qt::Key_unknown for a key it does not know.
Qt::Key qtKeyOf(std::uint32_t lParam);

} // namespace live
