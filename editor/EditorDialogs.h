// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <QColor>
#include <QFont>

class QPrinter;
class QWidget;

namespace editor {

// What the font dialog offers: the font and the colour of the text.
struct FontChoice {
    QFont font;
    QColor color;
};

// The font and colour dialogs, each preset with a value, giving nothing when cancelled; the print
// and page set-up dialogs, which change the printer they are given and tell whether the user
// went on.
class EditorDialogs {
public:
    virtual ~EditorDialogs() = default;

    virtual std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    virtual bool setUpPage(QWidget* parent, QPrinter& printer) = 0;
};

class QtEditorDialogs final : public EditorDialogs {
public:
    std::optional<FontChoice> chooseFont(QWidget* parent, const FontChoice& initial) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    bool setUpPage(QWidget* parent, QPrinter& printer) override;
};

} // namespace editor
