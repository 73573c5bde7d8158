#pragma once

#include <optional>
#include <QColor>
#include <QFont>

class QWidget;

namespace editor {

// The font and colour dialogs, each preset with a value; nothing when cancelled.
class FormatDialogs {
public:
    virtual ~FormatDialogs() = default;

    virtual std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) = 0;
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
};

class QtFormatDialogs final : public FormatDialogs {
public:
    std::optional<QFont> chooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
};

} // namespace editor
