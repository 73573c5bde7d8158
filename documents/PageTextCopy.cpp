#include "documents/PageTextCopy.h"

#include "platform/WebBrowser.h"

#include <QTextEdit>

namespace documents {

PageTextCopy::PageTextCopy(platform::WebBrowser& browser, QTextEdit& editor)
    : browser_(browser)
    , editor_(editor)
{
    nextPiece_.setInterval(0);
    QObject::connect(&nextPiece_, &QTimer::timeout, [this] { showNextPiece(); });
}

// Every notification, a sub-frame's too, takes the top-level body again: the last one decides.
void PageTextCopy::documentComplete()
{
    stopShowing();
    editor_.clear();
    browser_.readBodyText([this, page = ++page_](const QString& text) {
        if (page == page_)
            show(text);
    });
}

// The text is shown in the editor's own font and colour, whatever the last run was. Undoing
// piece by piece would make no sense, so there is nothing to undo until the last piece is in.
void PageTextCopy::show(const QString& text)
{
    text_ = text;
    shown_ = 0;
    editor_.document()->setUndoRedoEnabled(false);
    editor_.setCurrentCharFormat(QTextCharFormat());
    editor_.clear();
    charactersShown_ = editor_.document()->characterCount();
    showNextPiece();
}

// A piece ends at a line end where it can, and never inside a character's two halves. Whoever
// changes the editor meanwhile, by typing or opening a file, stops the rest.
void PageTextCopy::showNextPiece()
{
    if (!editorHoldsOnlyWhatWasShown()) {
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
    QTextCursor atEnd(editor_.document());
    atEnd.movePosition(QTextCursor::End);
    atEnd.insertText(QStringView(text_).sliced(shown_, end - shown_).toString());
    shown_ = end;
    charactersShown_ = editor_.document()->characterCount();
    if (shown_ < text_.size())
        nextPiece_.start();
    else
        stopShowing();
}

void PageTextCopy::stopShowing()
{
    nextPiece_.stop();
    text_.clear();
    editor_.document()->setUndoRedoEnabled(true);
}

bool PageTextCopy::editorHoldsOnlyWhatWasShown() const
{
    return editor_.document()->characterCount() == charactersShown_;
}

} // namespace documents
