// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/OptionControls.h"

#include <QAction>
#include <QCheckBox>

namespace live {

namespace {

constexpr std::size_t indexOf(Menu menu)
{
    return menu == Menu::Main ? 0 : 1;
}

constexpr Menu twinOf(Menu menu)
{
    return menu == Menu::Main ? Menu::Tray : Menu::Main;
}

} // namespace

OptionControls::OptionControls(QCheckBox& box, QAction& mainItem, QAction& trayItem)
    : box_(box)
    , items_{&mainItem, &trayItem}
{
}

void OptionControls::boxToggled()
{
    for (QAction* item : items_)
        item->setChecked(box_.isChecked());
}

// Qt has already inverted the clicked item's mark by the time this runs; inverting it again
// would undo the click.
void OptionControls::itemTriggered(Menu menu)
{
    const bool on = item(menu).isChecked();
    item(twinOf(menu)).setChecked(on);
    box_.setChecked(on);
}

QAction& OptionControls::item(Menu menu) const
{
    return *items_[indexOf(menu)];
}

} // namespace live
