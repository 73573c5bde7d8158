// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editor/EditorDialogs.h"

#include <functional>
#include <QList>
#include <utility>

namespace testsupport {

// Answers the font and colour dialogs with what it is given, once each, and notes what they were
// preset with; without an answer the dialog is cancelled. The print dialogs are answered by a
// step that sets up the printer, or cancelled without one.
class ScriptedEditorDialogs final : public editor::EditorDialogs {
public:
    std::optional<editor::FontChoice> chooseFont(QWidget*,
                                                 const editor::FontChoice& initial) override
    {
        presetFonts << initial;
        return std::exchange(fontAnswer, std::nullopt);
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor& initial) override
    {
        presetColors << initial;
        return std::exchange(colorAnswer, std::nullopt);
    }

    bool choosePrinter(QWidget*, QPrinter& printer) override
    {
        return answer(printerAnswer, printer);
    }
    bool setUpPage(QWidget*, QPrinter& printer) override { return answer(pageAnswer, printer); }

    std::optional<editor::FontChoice> fontAnswer;
    std::optional<QColor> colorAnswer;
    QList<editor::FontChoice> presetFonts;
    QList<QColor> presetColors;
    std::function<void(QPrinter&)> printerAnswer;
    std::function<void(QPrinter&)> pageAnswer;

private:
    static bool answer(const std::function<void(QPrinter&)>& step, QPrinter& printer)
    {
        if (step)
            step(printer);
        return static_cast<bool>(step);
    }
};

} // namespace testsupport
