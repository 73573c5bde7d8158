// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace platform {

// Why no window can be shown here, or an empty text when one can. Asked before the application
// object exists, since Qt aborts when its platform plugin finds no display.
QString displayProblem();

} // namespace platform
