// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/EditorContent.h"

#include "platform/BusyCursor.h"

#include <algorithm>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace platform {
namespace {

constexpr const char* ChosenAlignmentProperty = "chosenAlignment";

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar::Nbsp || c == u'\u3000';
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator;
}

// The index of the line end at or after `from`, or the text's size.
qsizetype nextLineEnd(const QString& text, qsizetype from)
{
    const auto end = std::find_if(text.begin() + from, text.end(), isLineEnd);
    return end - text.begin();
}

// Where the paragraph running from `start` is cut: the index of the blank that becomes its line
// end, or, as a negative value, the index before which a line end goes in.
qsizetype cutOf(const QString& text, qsizetype start)
{
    const qsizetype limit = start + DisplayParagraphLength;
    for (qsizetype i = limit; i > start + DisplayParagraphLength / 2; --i)
        if (isBlank(text[i]))
            return i;
    return text[limit - 1].isHighSurrogate() ? -(limit - 1) : -limit;
}

void insertPlain(QTextCursor& cursor, const QString& text)
{
    cursor.insertText(inDisplayParagraphs(text), QTextCharFormat());
}

void beginStep(QTextCursor& cursor, UndoStep step)
{
    if (step == UndoStep::JoinPrevious)
        cursor.joinPreviousEditBlock();
    else
        cursor.beginEditBlock();
}

} // namespace

QString inDisplayParagraphs(const QString& text)
{
    QString shown;
    shown.reserve(text.size() + text.size() / DisplayParagraphLength + 1);
    qsizetype lineEnd = -1;
    for (qsizetype start = 0; start < text.size();) {
        if (lineEnd < start)
            lineEnd = nextLineEnd(text, start);
        if (lineEnd - start <= DisplayParagraphLength) {
            const qsizetype next = std::min(lineEnd + 1, text.size());
            shown += QStringView(text).sliced(start, next - start);
            start = next;
            continue;
        }
        const qsizetype cut = cutOf(text, start);
        const qsizetype end = cut >= 0 ? cut : -cut;
        shown += QStringView(text).sliced(start, end - start);
        shown += u'\n';
        start = cut >= 0 ? cut + 1 : end;
    }
    return shown;
}

std::optional<Qt::Alignment> chosenAlignment(const QTextDocument& document)
{
    const QVariant chosen = document.property(ChosenAlignmentProperty);
    if (!chosen.isValid())
        return std::nullopt;
    return Qt::Alignment(chosen.toInt());
}

void alignWithoutUndo(QTextDocument& document)
{
    if (!chosenAlignment(document))
        return;
    document.setUndoRedoEnabled(false);
    QTextCursor whole(&document);
    whole.select(QTextCursor::Document);
    applyChosenAlignment(whole);
    document.setUndoRedoEnabled(true);
}

void chooseAlignment(QTextDocument& document, Qt::Alignment alignment)
{
    document.setProperty(ChosenAlignmentProperty, static_cast<int>(alignment));
    QTextCursor whole(&document);
    whole.select(QTextCursor::Document);
    applyChosenAlignment(whole);
}

void applyChosenAlignment(QTextCursor& cursor)
{
    const std::optional<Qt::Alignment> alignment = chosenAlignment(*cursor.document());
    if (!alignment)
        return;
    QTextBlockFormat format;
    format.setAlignment(*alignment);
    cursor.mergeBlockFormat(format);
}

// The first paragraph's own format would pass to every paragraph the text brings. An edit for
// Undo of megabytes takes seconds.
void replaceEditorText(QTextEdit& editor, const QString& text, UndoStep step)
{
    const BusyCursor busy;
    QTextCursor whole(editor.document());
    beginStep(whole, step);
    whole.select(QTextCursor::Document);
    whole.removeSelectedText();
    whole.setBlockFormat(QTextBlockFormat());
    whole.setBlockCharFormat(QTextCharFormat());
    applyChosenAlignment(whole);
    insertPlain(whole, text);
    whole.endEditBlock();
    editor.setCurrentCharFormat(QTextCharFormat());
    editor.moveCursor(QTextCursor::Start);
}

void loadEditorText(QTextEdit& editor, const QString& text)
{
    editor.setCurrentCharFormat(QTextCharFormat());
    editor.setPlainText(inDisplayParagraphs(text));
    alignWithoutUndo(*editor.document());
}

void appendEditorText(QTextEdit& editor, const QString& text)
{
    QTextCursor atEnd(editor.document());
    atEnd.movePosition(QTextCursor::End);
    atEnd.joinPreviousEditBlock();
    insertPlain(atEnd, text);
    atEnd.endEditBlock();
}

} // namespace platform
