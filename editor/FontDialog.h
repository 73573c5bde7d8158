// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editor/EditorDialogs.h"

#include <QDialog>

class QFontDialog;
class QPushButton;

namespace editor {

// The font dialog with the colour of the text beside the font, as word processors offer it: the
// desktop's font dialog has no colour, and a text colour that cannot be chosen can leave dark
// text on a dark background.
class FontDialog final : public QDialog {
    Q_OBJECT

public:
    FontDialog(const FontChoice& initial, QWidget* parent);

    FontChoice choice() const;

private:
    void chooseColor();
    void showColor();

    QFontDialog* fonts_ = nullptr;
    QPushButton* colorButton_ = nullptr;
    QColor color_;
};

} // namespace editor
