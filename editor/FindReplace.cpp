// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FindReplace.h"

#include "editor/EditorFocus.h"
#include "editor/TextReplacement.h"
#include "editor/TextSearch.h"

#include <QApplication>
#include <QTextEdit>

namespace editor {

namespace {

// The box keeps the CR LF of a pasted replacement, and the editor makes each CR LF or lone CR
// one paragraph end: counted as such, the selection after a replacement covers it exactly.
ReplaceRequest withParagraphEnds(ReplaceRequest request)
{
    request.replacement.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return request;
}

} // namespace

FindReplace::FindReplace(QTextEdit& editor, ShowMessage showMessage)
    : editor_(editor)
    , showMessage_(std::move(showMessage))
{
}

void FindReplace::findNext(const SearchRequest& request)
{
    const qsizetype start = editor_.textCursor().selectionEnd();
    const TextSearch search(*editor_.document());
    if (const auto found = search.find(request.findText, start, request.options)) {
        focusEditor(editor_);
        select(*found, request.findText.size());
        return;
    }
    select(start, 0);
    showMessage_(QStringLiteral("错误"), QStringLiteral("没有找到:") + request.findText);
}

void FindReplace::replace(const ReplaceRequest& given)
{
    const ReplaceRequest request = withParagraphEnds(given);
    const qsizetype start = editor_.textCursor().selectionEnd();
    if (request.all) {
        replaceAll(request);
    } else if (const auto found =
                   TextSearch(*editor_.document())
                       .find(request.search.findText, start, request.search.options)) {
        QTextCursor edit(editor_.document());
        replaceRange(edit, *found, request.search.findText.size(), request.replacement);
        select(*found, request.replacement.size());
        if (TextSearch(*editor_.document())
                .find(request.search.findText, start, request.search.options))
            return;
    }
    showMessage_(QApplication::applicationName(), QStringLiteral("替换完毕!"));
}

// One pass over the whole text as it was, wherever the caret is: what a replacement brings in is
// not searched again.
void FindReplace::replaceAll(const ReplaceRequest& request)
{
    const QString& what = request.search.findText;
    qsizetype from = 0;
    TextSearch search(*editor_.document());
    std::vector<qsizetype> matches;
    for (auto found = search.find(what, from, request.search.options); found;
         found = search.find(what, from, request.search.options)) {
        matches.push_back(*found);
        search.noteReplaced(*found, what.size(), request.replacement);
        from = *found + what.size();
    }
    if (matches.empty())
        return;
    const qsizetype last =
        replaceMatches(*editor_.document(), matches, what.size(), request.replacement);
    select(last, request.replacement.size());
}

void FindReplace::select(qsizetype start, qsizetype length)
{
    QTextCursor selection = editor_.textCursor();
    selection.setPosition(static_cast<int>(start));
    selection.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    editor_.setTextCursor(selection);
}

} // namespace editor
