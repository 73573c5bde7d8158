// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QTimer>

class QTextEdit;

namespace platform {
class WebBrowser;
}

namespace documents {

// Puts the text of each page the browser completes in the editor, in place of what was there,
// as one edit that Undo takes back. A long text goes in a piece at a time, so the window keeps
// answering while it arrives.
class PageTextCopy {
public:
    static constexpr qsizetype PieceSize = 1 << 20;

    PageTextCopy(platform::WebBrowser& browser, QTextEdit& editor);

    void documentComplete();

private:
    void show(const QString& text);
    void showNextPiece();
    void stopShowing();

    platform::WebBrowser& browser_;
    QTextEdit& editor_;
    int page_ = 0;
    QString text_;
    qsizetype shown_ = 0;
    // Whether the editor holds only what the pages put there since anyone else changed it.
    bool ownText_ = false;
    bool editing_ = false;
    QTimer nextPiece_;
};

} // namespace documents
