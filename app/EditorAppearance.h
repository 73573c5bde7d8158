// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/FontText.h"
#include "editor/EditorLook.h"

#include <cstdint>

class QTextEdit;

// The editor's font with its colour, its background colour and its word wrap, kept as the
// settings file stores them: colour values may name system colours, which are shown in the
// matching colours of the palette.
class EditorAppearance final : public editor::EditorLook {
public:
    static constexpr std::uint32_t WindowColor = 0xFF000005;

    // Lays the editor out with Tahoma, 8 points, in the window-text colour on the window colour.
    explicit EditorAppearance(QTextEdit& editor);

    QString fontText() const;
    void applyFontText(const QString& text);
    std::uint32_t background() const { return background_; }
    void setBackground(std::uint32_t color);
    bool wordWrap() const;
    void setWordWrap(bool wrap);

    // The font in points and the colours as shown; a colour chosen here is stored as itself,
    // no longer as a system colour.
    QFont defaultFont() const override;
    void setDefaultFont(const QFont& font) override;
    QColor textColor() const override;
    void setTextColor(const QColor& color) override;
    QColor backgroundColor() const override;
    void setBackgroundColor(const QColor& color) override;

private:
    int dotsPerInch() const;
    void setStyle(QFont& font) const;
    void show();

    QTextEdit& editor_;
    TextFont font_;
    std::uint32_t background_ = WindowColor;
};
