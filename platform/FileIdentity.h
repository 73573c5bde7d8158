// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace platform {

// Whether two paths name one existing file, as on a file system that folds letter case.
bool sameFile(const QString& first, const QString& second);

} // namespace platform
