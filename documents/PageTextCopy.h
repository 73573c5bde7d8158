#pragma once

#include <QString>
#include <QTimer>

class QTextEdit;

namespace platform {
class WebBrowser;
}

namespace documents {

// Puts the text of each page the browser completes in the editor, in place of what was there.
// A long text goes in a piece at a time, so the window keeps answering while it arrives.
class PageTextCopy {
public:
    static constexpr qsizetype PieceSize = 1 << 20;

    PageTextCopy(platform::WebBrowser& browser, QTextEdit& editor);

    void documentComplete();

private:
    void show(const QString& text);
    void showNextPiece();
    void stopShowing();
    bool editorHoldsOnlyWhatWasShown() const;

    platform::WebBrowser& browser_;
    QTextEdit& editor_;
    int page_ = 0;
    QString text_;
    qsizetype shown_ = 0;
    int charactersShown_ = 0;
    QTimer nextPiece_;
};

} // namespace documents
