#pragma once

#include <Qt>

class QTextEdit;

namespace editor {

class EditorLook;
class FormatDialogs;

// The Format menu's font, background colour and alignment.
class FormatCommands {
public:
    FormatCommands(QTextEdit& editor, EditorLook& look, FormatDialogs& dialogs);

    // The dialog starts from the editor's default font; the choice goes to the selected text,
    // or, with nothing selected, becomes the default font.
    void chooseFont();
    void chooseBackground();
    // Every paragraph takes the alignment; the text and its formatting stay as they are.
    void align(Qt::Alignment alignment);

private:
    QTextEdit& editor_;
    EditorLook& look_;
    FormatDialogs& dialogs_;
};

} // namespace editor
