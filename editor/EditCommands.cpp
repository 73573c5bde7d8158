// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/EditCommands.h"

#include "editor/DateTimeStamp.h"
#include "editor/EditorFocus.h"
#include "platform/DateFormats.h"

#include <QAction>
#include <QDateTime>
#include <QTextEdit>

namespace editor {

EditCommands::EditCommands(QTextEdit& editor, QAction& undoItem, QAction& redoItem)
    : editor_(editor)
    , undoItem_(undoItem)
    , redoItem_(redoItem)
{
}

void EditCommands::undo()
{
    editor_.undo();
}

void EditCommands::redo()
{
    editor_.redo();
}

void EditCommands::cut()
{
    if (!hasSelection())
        return;
    focusEditor(editor_);
    editor_.cut();
}

void EditCommands::copy()
{
    if (!hasSelection())
        return;
    focusEditor(editor_);
    editor_.copy();
}

// The tray's Paste is mostly used while the window is hidden to the notification area: the
// text goes in all the same, and the focus follows only a window on screen.
void EditCommands::paste()
{
    if (editor_.isVisible())
        focusEditor(editor_);
    editor_.paste();
}

void EditCommands::deleteSelection()
{
    if (!hasSelection())
        return;
    focusEditor(editor_);
    editor_.textCursor().removeSelectedText();
}

void EditCommands::selectAll()
{
    focusEditor(editor_);
    editor_.selectAll();
}

// Typed at the end in the format of the text before it; the caret and the selection stay where
// they are. An edit of its own, which Undo does not join to the typing before or after it.
void EditCommands::appendDateTime(const QDateTime& moment)
{
    QTextCursor end(editor_.document());
    end.movePosition(QTextCursor::End);
    end.beginEditBlock();
    end.insertText(dateTimeStamp(moment, processDateFormats()));
    end.endEditBlock();
}

void EditCommands::textChanged()
{
    undoItem_.setEnabled(editor_.document()->isUndoAvailable());
    redoItem_.setEnabled(editor_.document()->isRedoAvailable());
}

bool EditCommands::hasSelection() const
{
    return !editor_.textCursor().selectedText().isEmpty();
}

} // namespace editor
