// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/EditorAppearance.h"

#include <QPalette>
#include <QTextEdit>

namespace {

constexpr std::uint32_t SystemColorFlag = 0xFF000000;

// The palette colour closest in meaning to each system colour number.
QPalette::ColorRole roleOfSystemColor(std::uint32_t number)
{
    switch (number) {
    case 1:
    case 4:
    case 10:
    case 11:
    case 30:
        return QPalette::Window;
    case 2:
    case 13:
    case 27:
    case 29:
        return QPalette::Highlight;
    case 3:
    case 28:
        return QPalette::Mid;
    case 5:
        return QPalette::Base;
    case 6:
    case 21:
        return QPalette::Shadow;
    case 7:
        return QPalette::WindowText;
    case 9:
    case 14:
        return QPalette::HighlightedText;
    case 12:
    case 16:
        return QPalette::Dark;
    case 0:
    case 15:
        return QPalette::Button;
    case 17:
        return QPalette::PlaceholderText;
    case 18:
        return QPalette::ButtonText;
    case 20:
        return QPalette::Light;
    case 22:
        return QPalette::Midlight;
    case 23:
        return QPalette::ToolTipText;
    case 24:
        return QPalette::ToolTipBase;
    case 26:
        return QPalette::Link;
    default:
        return QPalette::Text;
    }
}

// What a colour value looks like on screen; `fallback` stands for the values that name no
// colour (the default colour, none, or a system number that is not one).
QColor displayColor(std::uint32_t value, QPalette::ColorRole fallback)
{
    const QPalette palette;
    if ((value & SystemColorFlag) == SystemColorFlag)
        return palette.color(roleOfSystemColor(value & 0xFF));
    if (value & SystemColorFlag)
        return palette.color(fallback);
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The stored value of a colour chosen in a dialog: red, green and blue, no longer a system colour.
std::uint32_t colorValue(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red()) |
           static_cast<std::uint32_t>(color.green()) << 8 |
           static_cast<std::uint32_t>(color.blue()) << 16;
}

} // namespace

EditorAppearance::EditorAppearance(QTextEdit& editor)
    : editor_(editor)
{
    font_.name = QStringLiteral("Tahoma");
    font_.pixelHeight = pointsToPixels(DefaultPointSize, dotsPerInch());
    show();
}

int EditorAppearance::dotsPerInch() const
{
    return editor_.logicalDpiY();
}

QString EditorAppearance::fontText() const
{
    return FontToText(font_, dotsPerInch(), true);
}

void EditorAppearance::applyFontText(const QString& text)
{
    TextToFont(text, font_, dotsPerInch(), true);
    show();
}

void EditorAppearance::setBackground(std::uint32_t color)
{
    background_ = color;
    show();
}

bool EditorAppearance::wordWrap() const
{
    return editor_.lineWrapMode() != QTextEdit::NoWrap;
}

void EditorAppearance::setWordWrap(bool wrap)
{
    editor_.setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

QFont EditorAppearance::defaultFont() const
{
    QFont font(font_.name);
    font.setPointSize(std::max(pixelsToPoints(font_.pixelHeight, dotsPerInch()), 1));
    setStyle(font);
    return font;
}

void EditorAppearance::setDefaultFont(const QFont& font)
{
    font_.name = font.family().left(MaxFaceNameLength);
    font_.pixelHeight = pointsToPixels(qRound(font.pointSizeF()), dotsPerInch());
    font_.bold = font.bold();
    font_.italic = font.italic();
    font_.underline = font.underline();
    font_.strikeout = font.strikeOut();
    show();
}

QColor EditorAppearance::textColor() const
{
    return displayColor(font_.color, QPalette::Text);
}

void EditorAppearance::setTextColor(const QColor& color)
{
    font_.color = colorValue(color);
    show();
}

QColor EditorAppearance::backgroundColor() const
{
    return displayColor(background_, QPalette::Base);
}

void EditorAppearance::setBackgroundColor(const QColor& color)
{
    setBackground(colorValue(color));
}

void EditorAppearance::setStyle(QFont& font) const
{
    font.setBold(font_.bold);
    font.setItalic(font_.italic);
    font.setUnderline(font_.underline);
    font.setStrikeOut(font_.strikeout);
}

void EditorAppearance::show()
{
    QFont font(font_.name);
    font.setPixelSize(std::max(font_.pixelHeight, 1));
    setStyle(font);
    editor_.setFont(font);
    QPalette palette = editor_.palette();
    palette.setColor(QPalette::Text, displayColor(font_.color, QPalette::Text));
    palette.setColor(QPalette::Base, displayColor(background_, QPalette::Base));
    editor_.setPalette(palette);
}
