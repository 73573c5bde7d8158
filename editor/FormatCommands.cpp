// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FormatCommands.h"

#include "editor/EditorDialogs.h"
#include "editor/EditorLook.h"
#include "platform/BusyCursor.h"
#include "platform/EditorContent.h"

#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace editor {
namespace {

QTextCharFormat characterFormat(const FontChoice& choice)
{
    const QFont& font = choice.font;
    QTextCharFormat format;
    format.setForeground(choice.color);
    format.setFontFamilies(QStringList{font.family()});
    format.setFontPointSize(font.pointSizeF());
    format.setFontWeight(font.weight());
    format.setFontItalic(font.italic());
    format.setFontUnderline(font.underline());
    format.setFontStrikeOut(font.strikeOut());
    return format;
}

} // namespace

FormatCommands::FormatCommands(QTextEdit& editor, EditorLook& look, EditorDialogs& dialogs)
    : editor_(editor)
    , look_(look)
    , dialogs_(dialogs)
{
}

void FormatCommands::chooseFont()
{
    const std::optional<FontChoice> chosen =
        dialogs_.chooseFont(&editor_, {look_.defaultFont(), look_.textColor()});
    if (!chosen)
        return;
    QTextCursor selection = editor_.textCursor();
    if (selection.selectedText().isEmpty()) {
        look_.setDefaultFont(chosen->font);
        look_.setTextColor(chosen->color);
    } else {
        selection.mergeCharFormat(characterFormat(*chosen));
    }
}

void FormatCommands::chooseBackground()
{
    if (const std::optional<QColor> chosen =
            dialogs_.chooseColor(&editor_, look_.backgroundColor()))
        look_.setBackgroundColor(*chosen);
}

void FormatCommands::align(Qt::Alignment alignment)
{
    const platform::BusyCursor busy;
    platform::chooseAlignment(*editor_.document(), alignment);
}

} // namespace editor
