// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/Voice.h"

#include <QString>

class QTextDocument;
class QTextEdit;

namespace speech {

// Where a text taken from the editor lies in its document.
struct EditorRange {
    int from = 0;
    int to = 0;
};

// The range's text as it is read aloud: one character for each position, paragraph ends as line
// feeds.
QString textOf(QTextDocument& document, EditorRange range);

// The editor's selection, or its whole text when nothing is selected.
EditorRange selectionOrWholeRange(const QTextEdit& editor);

// The editor's selection, or its whole text when nothing is selected, as plain text: paragraph
// ends are line feeds.
QString selectionOrWholeText(const QTextEdit& editor);

// A range of the editor's text for reading aloud: a long one comes deferred, so its beginning is
// heard at once.
DeferredText textToRead(const QTextEdit& editor, EditorRange range);

} // namespace speech
