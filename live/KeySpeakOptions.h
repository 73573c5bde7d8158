// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "live/KeySpeakBoxes.h"
#include "live/OptionControls.h"

#include <array>

namespace live {

// The items of one menu that mirror the key speaking boxes.
struct KeySpeakItems {
    QAction& all;
    QAction& letterDigit;
    QAction& letter;
    QAction& digit;
    QAction& show;
};

// Keeps the key speaking boxes, the main menu's items and the tray menu's items showing the same
// mode and the same show flag, whichever of them the user clicks.
class KeySpeakOptions {
public:
    enum class Mode { All, LetterDigit, Letter, Digit };
    using Menu = live::Menu;

    KeySpeakOptions(const KeySpeakBoxes& boxes, const KeySpeakItems& mainItems,
                    const KeySpeakItems& trayItems);

    // For each box's toggled signal, by the program as well as by the user.
    void modeBoxToggled(Mode mode);
    void showBoxToggled();
    // For each item's triggered signal.
    void modeItemTriggered(Menu menu, Mode mode);
    void showItemTriggered(Menu menu);

    // Tells, on the mode boxes, why no typed key is spoken in this session.
    void noteKeysAreNotHeard();

private:
    OptionControls& controlsOf(Mode mode);
    void uncheckOtherModes(const OptionControls& chosen);

    std::array<OptionControls, 4> modes_;
    OptionControls show_;
};

} // namespace live
