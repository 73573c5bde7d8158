// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace formats {

// The text of an HTML character reference given without its "&" and ";": "amp", "#233" or
// "#xE9"; one that names nothing stays as it was written.
QString htmlEntity(const QString& reference);

} // namespace formats
