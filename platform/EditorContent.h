// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QString>
#include <Qt>

class QTextCursor;
class QTextDocument;
class QTextEdit;

namespace platform {

// A paragraph longer than this is shown cut into paragraphs of about this length: the editor
// lays a paragraph out whole, on every edit and every blink of the caret, which made a text of
// megabytes without a line end freeze the window.
constexpr qsizetype DisplayParagraphLength = 4096;

// The text with each paragraph longer than DisplayParagraphLength cut at the last blank of its
// second half, which becomes the line end; a stretch without a blank is cut at the length, where
// a line end is put in, never between the halves of a character.
QString inDisplayParagraphs(const QString& text);

// The alignment chosen for the whole editor, which text put into it later takes too; nothing
// until one was chosen.
std::optional<Qt::Alignment> chosenAlignment(const QTextDocument& document);
// Every paragraph takes the alignment, as one edit.
void chooseAlignment(QTextDocument& document, Qt::Alignment alignment);
// The paragraphs the cursor's selection touches take the chosen alignment, if there is one.
void applyChosenAlignment(QTextCursor& cursor);
// Every paragraph takes the chosen alignment, if there is one, and nothing is left to undo.
void alignWithoutUndo(QTextDocument& document);

// Whether an edit is a step of its own for Undo or part of the step before it.
enum class UndoStep { New, JoinPrevious };

// Replaces the editor's whole content with plain text in the editor's own font and colour, in
// display paragraphs and the chosen alignment, as an edit that Undo takes back; the caret goes to
// the start.
void replaceEditorText(QTextEdit& editor, const QString& text, UndoStep step = UndoStep::New);
// Replaces the editor's whole content in the same way but with no way back, ten times as fast
// as an edit for Undo, for documents of megabytes: opening one is no edit of the text.
void loadEditorText(QTextEdit& editor, const QString& text);
// Adds plain text at the end in the same way, as part of the step before it.
void appendEditorText(QTextEdit& editor, const QString& text);

} // namespace platform
