// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

class QAction;
class QCheckBox;

namespace live {

enum class Menu { Main, Tray };

// A yes/no option held by a check box and mirrored by an item of the main menu and one of the
// tray menu: whichever of the three is clicked, all three show the same state.
class OptionControls {
public:
    OptionControls(QCheckBox& box, QAction& mainItem, QAction& trayItem);

    // For the box's toggled signal, by the program as well as by the user.
    void boxToggled();
    // For an item's triggered signal.
    void itemTriggered(Menu menu);

    QCheckBox& box() const { return box_; }
    QAction& item(Menu menu) const;

private:
    QCheckBox& box_;
    std::array<QAction*, 2> items_;
};

} // namespace live
