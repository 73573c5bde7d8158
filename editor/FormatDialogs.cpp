#include "editor/FormatDialogs.h"

#include <QColorDialog>
#include <QFontDialog>

namespace editor {
namespace {

// Named as the language files know it.
template <typename Dialog, typename Choice>
std::optional<Choice> choose(Dialog& dialog, const char* name, Choice (Dialog::*chosen)() const)
{
    dialog.setObjectName(QLatin1String(name));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return (dialog.*chosen)();
}

} // namespace

std::optional<QFont> QtFormatDialogs::chooseFont(QWidget* parent, const QFont& initial)
{
    QFontDialog dialog(initial, parent);
    return choose(dialog, "FontDialog1", &QFontDialog::selectedFont);
}

std::optional<QColor> QtFormatDialogs::chooseColor(QWidget* parent, const QColor& initial)
{
    QColorDialog dialog(initial, parent);
    return choose(dialog, "ColorDialog1", &QColorDialog::selectedColor);
}

} // namespace editor
