// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCheckBox;

namespace live {

// The window's check boxes that choose which typed keys are spoken, and whether their names are
// shown in the editor. At most one of the four modes is checked.
struct KeySpeakBoxes {
    QCheckBox& all;
    QCheckBox& letterDigit;
    QCheckBox& letter;
    QCheckBox& digit;
    QCheckBox& show;
};

} // namespace live
