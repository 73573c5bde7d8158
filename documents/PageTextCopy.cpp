// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/PageTextCopy.h"

#include "platform/EditorContent.h"
#include "platform/WebBrowser.h"

#include <QScopedValueRollback>
#include <QTextDocument>
#include <QTextEdit>

namespace documents {

PageTextCopy::PageTextCopy(platform::WebBrowser& browser, QTextEdit& editor)
    : browser_(browser)
    , editor_(editor)
{
    nextPiece_.setInterval(0);
    QObject::connect(&nextPiece_, &QTimer::timeout, [this] { showNextPiece(); });
    // A page the user has left, by typing or opening a document, is stopped: it would run on,
    // and one that reloads itself would replace their text again.
    QObject::connect(editor_.document(), &QTextDocument::contentsChanged, &nextPiece_, [this] {
        if (editing_ || !ownText_)
            return;
        ownText_ = false;
        browser_.Stop();
    });
}

// Every notification, a sub-frame's too, takes the top-level body again: the last one decides.
// The editor is emptied at once, as one edit with the text that follows; a notification that
// finds only what the last one put there joins that edit, so one Undo brings back what the
// editor held before the page.
void PageTextCopy::documentComplete()
{
    const platform::UndoStep step =
        ownText_ ? platform::UndoStep::JoinPrevious : platform::UndoStep::New;
    stopShowing();
    {
        const QScopedValueRollback editing(editing_, true);
        platform::replaceEditorText(editor_, {}, step);
    }
    ownText_ = true;
    browser_.readBodyText([this, page = ++page_](const QString& text) {
        if (page == page_)
            show(text);
    });
}

void PageTextCopy::show(const QString& text)
{
    text_ = text;
    shown_ = 0;
    showNextPiece();
}

// A piece ends at a line end where it can, and never inside a character's two halves. Whoever
// changes the editor meanwhile, by typing or opening a file, stops the rest.
void PageTextCopy::showNextPiece()
{
    if (!ownText_) {
        stopShowing();
        return;
    }
    qsizetype end = std::min(text_.size(), shown_ + PieceSize);
    if (end < text_.size()) {
        const qsizetype lineEnd = text_.lastIndexOf(u'\n', end - 1);
        if (lineEnd > shown_)
            end = lineEnd + 1;
        else if (text_[end - 1].isHighSurrogate())
            --end;
    }
    {
        const QScopedValueRollback editing(editing_, true);
        platform::appendEditorText(editor_,
                                   QStringView(text_).sliced(shown_, end - shown_).toString());
    }
    shown_ = end;
    if (shown_ < text_.size())
        nextPiece_.start();
    else
        stopShowing();
}

void PageTextCopy::stopShowing()
{
    nextPiece_.stop();
    text_.clear();
}

} // namespace documents
