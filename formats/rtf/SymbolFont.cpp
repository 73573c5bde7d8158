// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/rtf/SymbolFont.h"

#include <cstddef>
#include <optional>
#include <QString>
#include <string_view>

namespace formats {

namespace {

// Characters at consecutive code points from the first.
struct Run {
    char32_t first;
    std::u32string_view characters;
};

// Every character of Symbol but the extenders of its radical and arrows.
constexpr Run SymbolRuns[] = {
    {0xF020, U" !∀#∃%&∋()∗+,−./0123456789:;<=>?≅ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ[∴]⊥_"},
    {0xF061, U"αβχδεφγηιϕκλμνοπθρστυϖωξψζ{|}∼"},
    {0xF0A0, U"€ϒ′≤⁄∞ƒ♣♦♥♠↔←↑→↓°±″≥×∝∂•÷≠≡≈…"},
    {0xF0BF, U"↵ℵℑℜ℘⊗⊕∅∩∪⊃⊇⊄⊂⊆∈∉∠∇®©™∏√⋅¬∧∨⇔⇐⇑⇒⇓◊\u2329®©™∑⎛⎜⎝⎡⎢⎣⎧⎨⎩⎪"},
    {0xF0F1, U"\u232A∫⌠⎮⌡⎞⎟⎠⎤⎥⎦⎫⎬⎭"},
};

// The shapes, hands, signs, numbers, arrows and ticks of Wingdings that Unicode has.
constexpr Run WingdingsRuns[] = {
    {0xF022, U"✂✁"},
    {0xF028, U"☎✆✉"},
    {0xF036, U"⌛⌨"},
    {0xF03E, U"✇✍"},
    {0xF041, U"✌"},
    {0xF045, U"☜☞☝☟✋☺"},
    {0xF04C, U"☹"},
    {0xF04E, U"☠⚐"},
    {0xF051, U"✈☼"},
    {0xF054, U"❄"},
    {0xF056, U"✞"},
    {0xF058, U"✠✡☪☯ॐ☸♈♉♊♋♌♍♎♏♐♑♒♓"},
    {0xF06C, U"●❍■□"},
    {0xF071, U"❑❒⬧⧫◆❖⬥⌧⍓⌘❀✿❝❞"},
    {0xF080, U"⓪①②③④⑤⑥⑦⑧⑨⑩⓿❶❷❸❹❺❻❼❽❾❿"},
    {0xF09E, U"·•▪○⭕"},
    {0xF0A4, U"◉◎"},
    {0xF0A7, U"▪◻"},
    {0xF0AA, U"✦★✶✴✹✵"},
    {0xF0B1, U"⌖⟡⌑"},
    {0xF0B5, U"✪✰"},
    {0xF0D5, U"⌫⌦"},
    {0xF0D8, U"➢"},
    {0xF0DC, U"➲"},
    {0xF0E8, U"➔"},
    {0xF0EF, U"⇦⇨⇧⇩⬄⇳"},
    {0xF0F9, U"▭▫✗✓☒☑"},
};

// The bullets of OpenSymbol's own code points that LibreOffice offers for lists.
constexpr Run OpenSymbolRuns[] = {
    {0xE006, U"➔✔"},
    {0xE009, U"❍■❑◆❖⧫"},
};

// In the order of SymbolFont::Font.
constexpr std::span<const Run> Tables[] = {SymbolRuns, WingdingsRuns, OpenSymbolRuns};

std::optional<char32_t> find(std::span<const Run> runs, char32_t code)
{
    for (const Run& run : runs) {
        if (code >= run.first && code - run.first < run.characters.size())
            return run.characters[code - run.first];
    }
    return std::nullopt;
}

} // namespace

SymbolFont SymbolFont::named(QStringView family)
{
    static constexpr Font Symbol[] = {Font::Symbol};
    static constexpr Font Wingdings[] = {Font::Wingdings};
    const auto is = [&](const char* name) {
        return family.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("Symbol"))
        return SymbolFont(Symbol);
    if (is("Wingdings"))
        return SymbolFont(Wingdings);
    // StarSymbol is OpenSymbol's former name. LibreOffice keeps Symbol's and Wingdings' code
    // points for the bullets it sets in OpenSymbol. Symbol and Wingdings stay alone: where their
    // tables have no character, the other font's character at that place would be a wrong one.
    if (is("OpenSymbol") || is("StarSymbol"))
        return bullets();
    return {};
}

SymbolFont SymbolFont::bullets()
{
    // Symbol's bullet is no Wingdings character, while Symbol has letters where Wingdings has
    // its bullets. OpenSymbol's own code points are apart from theirs.
    static constexpr Font Fonts[] = {Font::Wingdings, Font::Symbol, Font::OpenSymbol};
    return SymbolFont(Fonts);
}

char32_t SymbolFont::character(char32_t code) const
{
    for (const Font font : fonts_) {
        if (const auto found = find(Tables[static_cast<std::size_t>(font)], code))
            return *found;
    }
    return code;
}

} // namespace formats
