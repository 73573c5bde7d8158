#pragma once

#include "editor/FormatDialogs.h"

#include <QList>
#include <utility>

namespace testsupport {

// Answers the font and colour dialogs with what it is given, once each, and notes what they were
// preset with; without an answer the dialog is cancelled.
class ScriptedFormatDialogs final : public editor::FormatDialogs {
public:
    std::optional<QFont> chooseFont(QWidget*, const QFont& initial) override
    {
        presetFonts << initial;
        return std::exchange(fontAnswer, std::nullopt);
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor& initial) override
    {
        presetColors << initial;
        return std::exchange(colorAnswer, std::nullopt);
    }

    std::optional<QFont> fontAnswer;
    std::optional<QColor> colorAnswer;
    QList<QFont> presetFonts;
    QList<QColor> presetColors;
};

} // namespace testsupport
