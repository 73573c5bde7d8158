// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/KeySpeakOptions.h"

#include <QCheckBox>

namespace live {

KeySpeakOptions::KeySpeakOptions(const KeySpeakBoxes& boxes, const KeySpeakItems& mainItems,
                                 const KeySpeakItems& trayItems)
    : modes_{{
          {boxes.all, mainItems.all, trayItems.all},
          {boxes.letterDigit, mainItems.letterDigit, trayItems.letterDigit},
          {boxes.letter, mainItems.letter, trayItems.letter},
          {boxes.digit, mainItems.digit, trayItems.digit},
      }}
    , show_{boxes.show, mainItems.show, trayItems.show}
{
}

void KeySpeakOptions::modeBoxToggled(Mode mode)
{
    OptionControls& own = controlsOf(mode);
    own.boxToggled();
    if (own.box().isChecked())
        uncheckOtherModes(own);
}

void KeySpeakOptions::showBoxToggled()
{
    show_.boxToggled();
}

// The clicked item's group may already have cleared a sibling; the other controls follow.
void KeySpeakOptions::modeItemTriggered(Menu menu, Mode mode)
{
    OptionControls& own = controlsOf(mode);
    own.itemTriggered(menu);
    if (own.box().isChecked())
        uncheckOtherModes(own);
}

void KeySpeakOptions::showItemTriggered(Menu menu)
{
    show_.itemTriggered(menu);
}

OptionControls& KeySpeakOptions::controlsOf(Mode mode)
{
    return modes_[static_cast<std::size_t>(mode)];
}

void KeySpeakOptions::uncheckOtherModes(const OptionControls& chosen)
{
    for (OptionControls& other : modes_)
        if (&other != &chosen) {
            other.box().setChecked(false);
            other.boxToggled();
        }
}

void KeySpeakOptions::noteKeysAreNotHeard()
{
    for (const OptionControls& mode : modes_)
        mode.box().setToolTip(QStringLiteral("只有在 X11 桌面下才朗读键入的按键"));
}

} // namespace live
