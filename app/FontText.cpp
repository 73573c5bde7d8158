// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FontText.h"

#include "app/IntegerText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

struct NamedColor {
    const char* name;
    std::uint32_t value;
};

// In search order: the first name of a value is the one written.
constexpr NamedColor namedColors[] = {
    {"clBlack", 0x00000000},
    {"clMaroon", 0x00000080},
    {"clGreen", 0x00008000},
    {"clOlive", 0x00008080},
    {"clNavy", 0x00800000},
    {"clPurple", 0x00800080},
    {"clTeal", 0x00808000},
    {"clGray", 0x00808080},
    {"clSilver", 0x00C0C0C0},
    {"clRed", 0x000000FF},
    {"clLime", 0x0000FF00},
    {"clYellow", 0x0000FFFF},
    {"clBlue", 0x00FF0000},
    {"clFuchsia", 0x00FF00FF},
    {"clAqua", 0x00FFFF00},
    {"clWhite", 0x00FFFFFF},
    {"clMoneyGreen", 0x00C0DCC0},
    {"clSkyBlue", 0x00F0CAA6},
    {"clCream", 0x00F0FBFF},
    {"clMedGray", 0x00A4A0A0},
    {"clActiveBorder", 0xFF00000A},
    {"clActiveCaption", 0xFF000002},
    {"clAppWorkSpace", 0xFF00000C},
    {"clBackground", 0xFF000001},
    {"clBtnFace", 0xFF00000F},
    {"clBtnHighlight", 0xFF000014},
    {"clBtnShadow", 0xFF000010},
    {"clBtnText", 0xFF000012},
    {"clCaptionText", 0xFF000009},
    {"clDefault", 0x20000000},
    {"clGradientActiveCaption", 0xFF00001B},
    {"clGradientInactiveCaption", 0xFF00001C},
    {"clGrayText", 0xFF000011},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clHotLight", 0xFF00001A},
    {"clInactiveBorder", 0xFF00000B},
    {"clInactiveCaption", 0xFF000003},
    {"clInactiveCaptionText", 0xFF000013},
    {"clInfoBk", 0xFF000018},
    {"clInfoText", 0xFF000017},
    {"clMenu", 0xFF000004},
    {"clMenuBar", 0xFF00001E},
    {"clMenuHighlight", 0xFF00001D},
    {"clMenuText", 0xFF000007},
    {"clNone", 0x1FFFFFFF},
    {"clScrollBar", 0xFF000000},
    {"cl3DDkShadow", 0xFF000015},
    {"cl3DLight", 0xFF000016},
    {"clWindow", 0xFF000005},
    {"clWindowFrame", 0xFF000006},
    {"clWindowText", 0xFF000008},
};

// Rounds a / b to the nearest whole number, halves away from zero.
int divideRounded(qint64 a, qint64 b)
{
    return static_cast<int>(std::llround(static_cast<double>(a) / static_cast<double>(b)));
}

// Pascal's Copy: `count` characters from the 1-based `position`; a count below one takes none.
QString copy(const QString& text, qsizetype position, qsizetype count)
{
    return count < 1 ? QString() : text.mid(position - 1, count);
}

// The 1-based position of the first comma, 0 when there is none.
qsizetype commaPosition(const QString& text)
{
    return text.indexOf(u',') + 1;
}

// As the platform's font rules have it: 0 asks for the default size, and a negative size means
// its amount.
qint64 sizeAsMeant(int points)
{
    return points == 0 ? DefaultPointSize : std::abs(qint64{points});
}

} // namespace

int pointsToPixels(qint64 points, int dotsPerInch)
{
    // 1638 points, the largest size Word offers, is far above any screen. A larger size from a
    // hand-edited file would overflow an int on its way to pixels; a limited one reads back as
    // it was written.
    constexpr qint64 MaxPointSize = 1638;
    return divideRounded(std::clamp(points, -MaxPointSize, MaxPointSize) * dotsPerInch, 72);
}

int pixelsToPoints(int pixels, int dotsPerInch)
{
    return divideRounded(qint64{pixels} * 72, dotsPerInch);
}

QString ColorToText(std::uint32_t color)
{
    for (const NamedColor& named : namedColors)
        if (named.value == color)
            return QLatin1String(named.name);
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<std::uint32_t> TextToColor(const QString& text)
{
    for (const NamedColor& named : namedColors)
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    if (const std::optional<int> value = integerFromText(text))
        return static_cast<std::uint32_t>(*value);
    return std::nullopt;
}

QString FontToText(const TextFont& font, int dotsPerInch, bool withColor)
{
    QString styles;
    if (font.bold)
        styles += QStringLiteral("|Bold");
    if (font.italic)
        styles += QStringLiteral("|Italic");
    if (font.underline)
        styles += QStringLiteral("|Underline");
    if (font.strikeout)
        styles += QStringLiteral("|Strikeout");
    if (styles.startsWith(u'|'))
        styles.remove(0, 1);
    QString text = u'"' + font.name + QStringLiteral("\", ") +
                   QString::number(pixelsToPoints(font.pixelHeight, dotsPerInch)) +
                   QStringLiteral(", [") + styles + u']';
    if (withColor)
        text += QStringLiteral(", [") + ColorToText(font.color) + u']';
    return text;
}

// Each part ends at the first comma of what is left, so a comma in the face name shifts every
// later part; the form has no escape for it.
void TextToFont(const QString& text, TextFont& font, int dotsPerInch, bool withColor)
{
    QString rest = text;
    const qsizetype a = commaPosition(rest);
    if (const QString name = copy(rest, 2, a - 3); !name.isEmpty())
        font.name = name.left(MaxFaceNameLength);
    rest.remove(0, std::max<qsizetype>(a, 0));

    const qsizetype b = commaPosition(rest);
    const std::optional<int> points = integerFromText(copy(rest, 2, b - 2));
    if (!points)
        return;
    font.pixelHeight = pointsToPixels(sizeAsMeant(*points), dotsPerInch);
    rest.remove(0, b);

    const qsizetype c = commaPosition(rest);
    const QString styles = u'|' + copy(rest, 3, c - 4);
    rest.remove(0, c);

    if (withColor) {
        const std::optional<std::uint32_t> color = TextToColor(copy(rest, 3, rest.size() - 3));
        if (!color)
            return;
        font.color = *color;
    }
    font.bold = styles.contains(QStringLiteral("|Bold"));
    font.italic = styles.contains(QStringLiteral("|Italic"));
    font.underline = styles.contains(QStringLiteral("|Underline"));
    font.strikeout = styles.contains(QStringLiteral("|Strikeout"));
}
