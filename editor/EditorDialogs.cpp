// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/EditorDialogs.h"

#include "editor/FontDialog.h"

#include <QColorDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>

namespace editor {
namespace {

// Named as the window's own dialogs are.
bool accepted(QDialog& dialog, const char* name)
{
    dialog.setObjectName(QLatin1String(name));
    return dialog.exec() == QDialog::Accepted;
}

template <typename Dialog, typename Choice>
std::optional<Choice> choose(Dialog& dialog, const char* name, Choice (Dialog::*chosen)() const)
{
    if (!accepted(dialog, name))
        return std::nullopt;
    return (dialog.*chosen)();
}

} // namespace

std::optional<FontChoice> QtEditorDialogs::chooseFont(QWidget* parent, const FontChoice& initial)
{
    FontDialog dialog(initial, parent);
    return choose(dialog, "FontDialog1", &FontDialog::choice);
}

std::optional<QColor> QtEditorDialogs::chooseColor(QWidget* parent, const QColor& initial)
{
    QColorDialog dialog(initial, parent);
    return choose(dialog, "ColorDialog1", &QColorDialog::selectedColor);
}

bool QtEditorDialogs::choosePrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return accepted(dialog, "PrintDialog1");
}

bool QtEditorDialogs::setUpPage(QWidget* parent, QPrinter& printer)
{
    QPageSetupDialog dialog(&printer, parent);
    return accepted(dialog, "PrinterSetupDialog1");
}

} // namespace editor
