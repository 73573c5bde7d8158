#include "editor/FormatCommands.h"

#include "editor/EditorDialogs.h"
#include "editor/EditorLook.h"
#include "platform/BusyCursor.h"

#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>

namespace editor {
namespace {

// Name, size and style; the text keeps its colour, which the dialog does not offer.
QTextCharFormat characterFormat(const QFont& font)
{
    QTextCharFormat format;
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
    const std::optional<QFont> chosen = dialogs_.chooseFont(&editor_, look_.defaultFont());
    if (!chosen)
        return;
    QTextCursor selection = editor_.textCursor();
    if (selection.selectedText().isEmpty())
        look_.setDefaultFont(*chosen);
    else
        selection.mergeCharFormat(characterFormat(*chosen));
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
    QTextCursor whole(editor_.document());
    whole.select(QTextCursor::Document);
    QTextBlockFormat format;
    format.setAlignment(alignment);
    whole.mergeBlockFormat(format);
}

} // namespace editor
