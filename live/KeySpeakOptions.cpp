#include "live/KeySpeakOptions.h"

#include <QAction>
#include <QCheckBox>

namespace live {

namespace {

constexpr std::size_t indexOf(KeySpeakOptions::Menu menu)
{
    return menu == KeySpeakOptions::Menu::Main ? 0 : 1;
}

constexpr std::size_t twinOf(KeySpeakOptions::Menu menu)
{
    return 1 - indexOf(menu);
}

} // namespace

KeySpeakOptions::KeySpeakOptions(const KeySpeakBoxes& boxes, const KeySpeakItems& mainItems,
                                 const KeySpeakItems& trayItems)
    : modes_{{
          {&boxes.all, {&mainItems.all, &trayItems.all}},
          {&boxes.letterDigit, {&mainItems.letterDigit, &trayItems.letterDigit}},
          {&boxes.letter, {&mainItems.letter, &trayItems.letter}},
          {&boxes.digit, {&mainItems.digit, &trayItems.digit}},
      }}
    , show_{&boxes.show, {&mainItems.show, &trayItems.show}}
{
}

void KeySpeakOptions::modeBoxToggled(Mode mode)
{
    Controls& own = controlsOf(mode);
    if (!own.box->isChecked()) {
        for (QAction* item : own.items)
            item->setChecked(false);
        return;
    }
    for (Controls& other : modes_)
        if (&other != &own)
            other.box->setChecked(false);
    for (Controls& controls : modes_)
        for (QAction* item : controls.items)
            item->setChecked(&controls == &own);
}

void KeySpeakOptions::showBoxToggled()
{
    for (QAction* item : show_.items)
        item->setChecked(show_.box->isChecked());
}

// Qt has already inverted the clicked item's mark, and its group may have cleared a sibling,
// by the time this runs; inverting it again would undo the click.
void KeySpeakOptions::modeItemTriggered(Menu menu, Mode mode)
{
    Controls& own = controlsOf(mode);
    const bool on = own.items[indexOf(menu)]->isChecked();
    own.items[twinOf(menu)]->setChecked(on);
    own.box->setChecked(on);
    if (on)
        uncheckOtherModes(mode, menu);
}

void KeySpeakOptions::showItemTriggered(Menu menu)
{
    const bool on = show_.items[indexOf(menu)]->isChecked();
    show_.items[twinOf(menu)]->setChecked(on);
    show_.box->setChecked(on);
}

KeySpeakOptions::Controls& KeySpeakOptions::controlsOf(Mode mode)
{
    return modes_[static_cast<std::size_t>(mode)];
}

void KeySpeakOptions::uncheckOtherModes(Mode mode, Menu menu)
{
    for (Controls& other : modes_)
        if (&other != &controlsOf(mode)) {
            other.box->setChecked(false);
            other.items[twinOf(menu)]->setChecked(false);
        }
}

void KeySpeakOptions::noteKeysAreNotHeard()
{
    for (const Controls& mode : modes_)
        mode.box->setToolTip(QStringLiteral("只有在 X11 桌面下才朗读键入的按键"));
}

} // namespace live
