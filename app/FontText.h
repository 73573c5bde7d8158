// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <QString>

// A font as its text form knows it: face, height in pixels, styles and a colour value
// (0x00BBGGRR, or 0xFF0000nn for system colour nn).
constexpr qsizetype MaxFaceNameLength = 31;
// The editor's size as laid out, and what a size of 0 asks for.
constexpr int DefaultPointSize = 8;

struct TextFont {
    QString name;
    int pixelHeight = 11;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    std::uint32_t color = 0xFF000008;
};

// Sizes pass between points and pixels at a resolution, rounded to the nearest each way.
int pointsToPixels(qint64 points, int dotsPerInch);
int pixelsToPoints(int pixels, int dotsPerInch);

// The colour's name, or "$" and eight hexadecimal digits.
QString ColorToText(std::uint32_t color);
// A colour name (any letter case) or a whole number.
std::optional<std::uint32_t> TextToColor(const QString& text);

// "Tahoma", 8, [Bold|Italic], [clWindowText]
QString FontToText(const TextFont& font, int dotsPerInch, bool withColor);
// Changes the font as far as the text can be read; a part that does not convert ends the work
// silently, keeping what was changed before it.
void TextToFont(const QString& text, TextFont& font, int dotsPerInch, bool withColor);
