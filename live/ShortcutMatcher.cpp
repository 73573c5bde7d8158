// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/ShortcutMatcher.h"

#include "platform/KeyNames.h"

#include <QKeySequence>
#include <QString>

namespace live {

namespace {

constexpr std::uint32_t previousStateBit = 1u << 30;
constexpr std::uint32_t transitionBit = 1u << 31;
constexpr std::uint32_t keyBits = 0x01FF0000u;

struct NamedQtKey {
    std::string_view name;
    Qt::Key key;
};

// The names whose Qt spelling differs, or that Qt reads as another key.
constexpr NamedQtKey renamedKeys[] = {
    {"Esc", Qt::Key_Escape},
    {"Enter", Qt::Key_Return},
    {"Num Enter", Qt::Key_Enter},
    {"Page Up", Qt::Key_PageUp},
    {"Page Down", Qt::Key_PageDown},
    {"Insert", Qt::Key_Insert},
    {"Delete", Qt::Key_Delete},
    {"Prnt Scrn", Qt::Key_Print},
    {"Application", Qt::Key_Menu},
    {"Caps Lock", Qt::Key_CapsLock},
    {"Num Lock", Qt::Key_NumLock},
    {"Scroll Lock", Qt::Key_ScrollLock},
    {"Ctrl", Qt::Key_Control},
    {"Right Ctrl", Qt::Key_Control},
    {"Alt", Qt::Key_Alt},
    {"Right Alt", Qt::Key_Alt},
    {"Shift", Qt::Key_Shift},
    {"Right Shift", Qt::Key_Shift},
    {"Left Windows", Qt::Key_Meta},
    {"Right Windows", Qt::Key_Meta},
};

Qt::KeyboardModifier modifierOf(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Control:
        return Qt::ControlModifier;
    case Qt::Key_Alt:
        return Qt::AltModifier;
    case Qt::Key_Shift:
        return Qt::ShiftModifier;
    case Qt::Key_Meta:
        return Qt::MetaModifier;
    default:
        return Qt::NoModifier;
    }
}

} // namespace

Qt::Key qtKeyOf(std::uint32_t lParam)
{
    const std::string_view name = platform::keyName(lParam);
    for (const NamedQtKey& renamed : renamedKeys)
        if (renamed.name == name)
            return renamed.key;
    // The keypad's keys type what the main block's do.
    const QString text = QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()))
                             .remove(QLatin1String("Num "));
    const QKeySequence sequence = QKeySequence::fromString(text, QKeySequence::PortableText);
    return sequence.isEmpty() || text.isEmpty() ? Qt::Key_unknown : sequence[0].key();
}

void ShortcutMatcher::setCombination(QKeyCombination combination)
{
    // The hook does not tell the keypad's keys from the main block's.
    combination_ =
        QKeyCombination(combination.keyboardModifiers() & ~Qt::KeypadModifier, combination.key());
}

ShortcutMatcher::Outcome ShortcutMatcher::keyMessage(std::uint32_t lParam)
{
    const Key key = lParam & keyBits;
    const Qt::Key qtKey = qtKeyOf(lParam);
    const bool release = (lParam & transitionBit) != 0;
    const bool repeat = !release && (lParam & previousStateBit) != 0;
    if (modifierOf(qtKey) != Qt::NoModifier) {
        if (release)
            heldModifiers_.erase(key);
        else
            heldModifiers_.insert(key);
    }
    if (repeat)
        return swallowed_.contains(key) ? Outcome::Swallowed : Outcome::Other;
    if (release)
        return swallowed_.erase(key) > 0 ? Outcome::Swallowed : Outcome::Other;
    const QKeyCombination pressed(heldModifiers(), qtKey);
    if (combination_.key() == Qt::Key(0) || pressed.toCombined() != combination_.toCombined())
        return Outcome::Other;
    swallowed_ = heldModifiers_;
    swallowed_.insert(key);
    return Outcome::Pressed;
}

Qt::KeyboardModifiers ShortcutMatcher::heldModifiers() const
{
    Qt::KeyboardModifiers modifiers;
    for (const Key key : heldModifiers_)
        modifiers |= modifierOf(qtKeyOf(key));
    return modifiers;
}

} // namespace live
