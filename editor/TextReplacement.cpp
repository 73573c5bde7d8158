// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/TextReplacement.h"

#include <optional>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <span>

namespace editor {
namespace {

using Matches = std::span<const qsizetype>;

bool hasOneFormat(const QTextBlock& paragraph, qsizetype start, qsizetype end)
{
    std::optional<int> format;
    for (auto fragment = paragraph.begin(); !fragment.atEnd(); ++fragment) {
        const QTextFragment piece = fragment.fragment();
        if (piece.position() + piece.length() <= start || piece.position() >= end)
            continue;
        if (format && *format != piece.charFormatIndex())
            return false;
        format = piece.charFormatIndex();
    }
    return true;
}

// From the first match to the end of the last, with every match replaced.
QString rewrittenSpan(const QTextBlock& paragraph, Matches matches, qsizetype length,
                      const QString& replacement)
{
    const QString text = paragraph.text();
    const qsizetype offset = paragraph.position();
    QString span;
    qsizetype copied = matches.front();
    for (const qsizetype match : matches) {
        span += QStringView(text).mid(copied - offset, match - copied);
        span += replacement;
        copied = match + length;
    }
    return span;
}

// Every edit of a paragraph goes over all its laid-out lines, which costs a long paragraph
// dearly when it is edited thousands of times. The editor lays it out anew after the edit.
void dropLines(const QTextBlock& paragraph)
{
    paragraph.layout()->clearLayout();
}

// The matches of one paragraph. In text of one format the span they cover is written anew in
// one step, which keeps Undo as quick as the edit; otherwise each match is replaced in turn,
// from the last, so the positions before it stay good.
void replaceInParagraph(QTextCursor& edit, Matches matches, qsizetype length,
                        const QString& replacement)
{
    const qsizetype start = matches.front();
    const qsizetype end = matches.back() + length;
    edit.setPosition(static_cast<int>(start));
    const QTextBlock paragraph = edit.block();
    if (hasOneFormat(paragraph, start, end)) {
        replaceRange(edit, start, end - start,
                     rewrittenSpan(paragraph, matches, length, replacement));
        return;
    }
    dropLines(paragraph);
    for (auto match = matches.rbegin(); match != matches.rend(); ++match)
        replaceRange(edit, *match, length, replacement);
}

} // namespace

void replaceRange(QTextCursor& cursor, qsizetype start, qsizetype length, const QString& text)
{
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    cursor.insertText(text);
}

qsizetype replaceMatches(QTextDocument& document, const std::vector<qsizetype>& matches,
                         qsizetype length, const QString& replacement)
{
    QTextCursor edit(&document);
    edit.beginEditBlock();
    // From the last paragraph back, so the positions of those before stay good.
    for (auto end = matches.size(); end > 0;) {
        const int paragraph = document.findBlock(static_cast<int>(matches[end - 1])).blockNumber();
        auto begin = end - 1;
        while (begin > 0 &&
               document.findBlock(static_cast<int>(matches[begin - 1])).blockNumber() == paragraph)
            --begin;
        replaceInParagraph(edit, Matches(matches).subspan(begin, end - begin), length, replacement);
        end = begin;
    }
    edit.endEditBlock();
    const auto count = static_cast<qsizetype>(matches.size());
    return matches.back() + (count - 1) * (replacement.size() - length);
}

} // namespace editor
