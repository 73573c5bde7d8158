// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QAction;
class QDateTime;
class QTextEdit;

namespace editor {

// The Edit menu's commands on the editor. Those that move the focus to the editor throw
// "Cannot focus a disabled or invisible window" while the window is hidden, and do nothing more;
// Paste alone pastes into the hidden editor.
class EditCommands {
public:
    EditCommands(QTextEdit& editor, QAction& undoItem, QAction& redoItem);

    void undo();
    void redo();
    // Cut, copy and delete act only on a selection; delete leaves the clipboard alone.
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();
    // The date and time go to the very end of the text, whatever is selected.
    void appendDateTime(const QDateTime& moment);
    // After every change of the text: Undo and Redo are offered as the editor can do them.
    void textChanged();

private:
    bool hasSelection() const;

    QTextEdit& editor_;
    QAction& undoItem_;
    QAction& redoItem_;
};

} // namespace editor
