// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>
#include <span>

namespace formats {

// The characters that word processors' symbol fonts show, for bullets and signs that are to be
// seen and spoken without the font. Documents give them as private-use code points: Symbol and
// Wingdings at U+F020..U+F0FF (a byte b in a font of the symbol character set is U+F000 + b),
// OpenSymbol from U+E000.
class SymbolFont {
public:
    // A font whose characters are not known: every code point stays as it is.
    SymbolFont() = default;
    // The symbol font of that family, or one that knows no characters. OpenSymbol also knows the
    // bullets of Symbol and Wingdings at their code points.
    static SymbolFont named(QStringView family);
    // For list bullets whose font the document leaves out: Wingdings' characters, then Symbol's
    // and OpenSymbol's.
    static SymbolFont bullets();

    bool isKnown() const { return !fonts_.empty(); }
    // The character the font shows at the code point; the code point itself when it has none.
    char32_t character(char32_t code) const;

private:
    enum class Font { Symbol, Wingdings, OpenSymbol };

    explicit SymbolFont(std::span<const Font> fonts)
        : fonts_(fonts)
    {
    }

    std::span<const Font> fonts_;
};

} // namespace formats
