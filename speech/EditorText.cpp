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

struct Range {
    int from = 0;
    int to = 0;
};

Range selectionOrWhole(const QTextEdit& editor)
{
    const QTextCursor cursor = editor.textCursor();
    if (cursor.hasSelection())
        return {cursor.selectionStart(), cursor.selectionEnd()};
    return {0, editor.document()->characterCount() - 1};
}

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

// Taking a range through a cursor costs its length, not the document's.
QString textOf(QTextDocument& document, Range range)
{
    QTextCursor cursor(&document);
    cursor.setPosition(std::min(range.from, document.characterCount() - 1));
    cursor.setPosition(std::min(range.to, document.characterCount() - 1), QTextCursor::KeepAnchor);
    return plainTextOf(cursor.selectedText());
}

} // namespace

QString selectionOrWholeText(const QTextEdit& editor)
{
    return textOf(*editor.document(), selectionOrWhole(editor));
}

DeferredText selectionOrWholeTextToRead(const QTextEdit& editor)
{
    const Range range = selectionOrWhole(editor);
    QTextDocument& document = *editor.document();
    const Range beginning{range.from, std::min(range.to, range.from + BeginningLength)};
    DeferredText text{textOf(document, beginning), {}};
    if (beginning.to < range.to)
        text.whole = [document = QPointer<QTextDocument>(&document), range,
                      fallback = text.beginning] {
            return document ? textOf(*document, range) : fallback;
        };
    return text;
}

} // namespace speech
