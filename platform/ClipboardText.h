// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QString>

namespace platform {

// The text of the desktop's clipboard up to its first NUL, as the 8-bit text format gives it;
// none when the clipboard holds no text, or text a password manager marked as secret. Throws
// "Cannot open clipboard" when the clipboard cannot be read.
std::optional<QString> clipboardText();

// What the user selected last in any program (X11's primary selection), else the clipboard's
// text as above; empty when neither holds text.
QString selectionOrClipboardText();

} // namespace platform
