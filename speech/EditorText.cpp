// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/EditorText.h"

#include <algorithm>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace speech {

namespace {

// Enough to speak for a minute or more before the whole text is needed.
constexpr int BeginningLength = 4096;

// Separators as QTextDocument::toPlainText gives them.
QString plainTextOf(QString text)
{
    for (QChar& c : text) {
        switch (c.unicode()) {
        case 0xFDD0:
        case 0xFDD1:
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
            c = u'\n';
            break;
        case QChar::Nbsp:
            c = u' ';
            break;
        default:
            break;
        }
    }
    return text;
}

} // namespace

// Taking a range through a cursor costs its length, not the document's.
QString textOf(QTextDocument& document, EditorRange range)
{
    QTextCursor cursor(&document);
    cursor.setPosition(std::min(range.from, document.characterCount() - 1));
    cursor.setPosition(std::min(range.to, document.characterCount() - 1), QTextCursor::KeepAnchor);
    return plainTextOf(cursor.selectedText());
}

EditorRange selectionOrWholeRange(const QTextEdit& editor)
{
    const QTextCursor cursor = editor.textCursor();
    if (cursor.hasSelection())
        return {cursor.selectionStart(), cursor.selectionEnd()};
    return {0, editor.document()->characterCount() - 1};
}

QString selectionOrWholeText(const QTextEdit& editor)
{
    return textOf(*editor.document(), selectionOrWholeRange(editor));
}

DeferredText textToRead(const QTextEdit& editor, EditorRange range)
{
    QTextDocument& document = *editor.document();
    const EditorRange beginning{range.from, std::min(range.to, range.from + BeginningLength)};
    DeferredText text{textOf(document, beginning), {}};
    if (beginning.to < range.to)
        text.whole = [document = QPointer<QTextDocument>(&document), range,
                      fallback = text.beginning] {
            return document ? textOf(*document, range) : fallback;
        };
    return text;
}

} // namespace speech
