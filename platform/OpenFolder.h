// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace platform {

// Opens the folder in the desktop's file manager.
void openFolder(const QString& folder);

} // namespace platform
