#include "editor/EditCommands.h"

#include <QAction>
#include <QTextEdit>
#include <stdexcept>

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
    focusEditor();
    editor_.cut();
}

void EditCommands::copy()
{
    if (!hasSelection())
        return;
    focusEditor();
    editor_.copy();
}

void EditCommands::paste()
{
    focusEditor();
    editor_.paste();
}

void EditCommands::deleteSelection()
{
    if (!hasSelection())
        return;
    focusEditor();
    editor_.textCursor().removeSelectedText();
}

void EditCommands::selectAll()
{
    focusEditor();
    editor_.selectAll();
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

void EditCommands::focusEditor()
{
    if (!editor_.isVisible() || !editor_.isEnabled())
        throw std::runtime_error("Cannot focus a disabled or invisible window");
    editor_.setFocus();
}

} // namespace editor
