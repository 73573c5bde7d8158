// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <Qt>

class QTextEdit;

namespace editor {

class EditorLook;
class EditorDialogs;

// The Format menu's font, background colour and alignment.
class FormatCommands {
public:
    FormatCommands(QTextEdit& editor, EditorLook& look, EditorDialogs& dialogs);

    // The dialog starts from the editor's default font and text colour; the choice goes to the
    // selected text, or, with nothing selected, becomes the default font and colour.
    void chooseFont();
    void chooseBackground();
    // Every paragraph takes the alignment; the text and its formatting stay as they are.
    void align(Qt::Alignment alignment);

private:
    QTextEdit& editor_;
    EditorLook& look_;
    EditorDialogs& dialogs_;
};

} // namespace editor
