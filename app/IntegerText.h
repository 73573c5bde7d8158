// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QString>

// A whole number as settings and font texts write it: leading blanks, an optional sign, then
// decimal digits, or hexadecimal after "$" or "0x". Nothing may follow; the value must fit in 32
// bits (hexadecimal up to 0xFFFFFFFF, taken as its signed counterpart).
std::optional<int> integerFromText(const QString& text);
