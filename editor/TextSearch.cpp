// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/TextSearch.h"

#include <QTextDocument>

namespace editor {
namespace {

// Letters, digits and the marks that join them, of any plane.
bool isWordCharacter(char32_t character)
{
    return QChar::isLetterOrNumber(character) || QChar::isMark(character);
}

char32_t lastCharacterOf(QStringView text)
{
    if (text.size() >= 2 && text.back().isLowSurrogate() && text[text.size() - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[text.size() - 2], text.back());
    return text.back().unicode();
}

char32_t firstCharacterOf(QStringView text)
{
    if (text.size() >= 2 && text.front().isHighSurrogate() && text[1].isLowSurrogate())
        return QChar::surrogateToUcs4(text.front(), text[1]);
    return text.front().unicode();
}

} // namespace

TextSearch::TextSearch(const QTextDocument& document)
    : text_(document.toRawText())
{
    text_.replace(QChar::Nbsp, u' ');
}

std::optional<qsizetype> TextSearch::find(QString what, qsizetype from, SearchOptions options) const
{
    if (what.isEmpty() || what.contains(QChar::ParagraphSeparator))
        return std::nullopt;
    what.replace(QChar::Nbsp, u' ');
    const Qt::CaseSensitivity sensitivity =
        options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    for (qsizetype at = text_.indexOf(what, from, sensitivity); at >= 0;
         at = text_.indexOf(what, at + 1, sensitivity)) {
        if (!options.wholeWord || isWholeWord(at, what.size()))
            return at;
    }
    return std::nullopt;
}

void TextSearch::noteReplaced(qsizetype at, qsizetype length, const QString& replacement)
{
    charBeforeReplacedEnd_ =
        replacement.isEmpty() ? characterBefore(at) : lastCharacterOf(replacement);
    replacedEnd_ = at + length;
}

bool TextSearch::isWholeWord(qsizetype at, qsizetype length) const
{
    const qsizetype end = at + length;
    return !isWordCharacter(characterBefore(at)) &&
           (end == text_.size() || !isWordCharacter(firstCharacterOf(QStringView(text_).mid(end))));
}

char32_t TextSearch::characterBefore(qsizetype at) const
{
    if (at == replacedEnd_)
        return charBeforeReplacedEnd_;
    return at > 0 ? lastCharacterOf(QStringView(text_).left(at)) : 0;
}

} // namespace editor
