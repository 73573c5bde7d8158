// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/EditorFocus.h"

#include <QTextEdit>
#include <stdexcept>

namespace editor {

void focusEditor(QTextEdit& editor)
{
    if (!editor.isVisible() || !editor.isEnabled())
        throw std::runtime_error("Cannot focus a disabled or invisible window");
    editor.setFocus();
}

} // namespace editor
