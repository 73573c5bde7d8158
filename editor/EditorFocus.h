// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QTextEdit;

namespace editor {

// Gives the editor the keyboard focus, as the commands that act on it first do. Throws "Cannot
// focus a disabled or invisible window" while the window is hidden or the editor disabled.
void focusEditor(QTextEdit& editor);

} // namespace editor
