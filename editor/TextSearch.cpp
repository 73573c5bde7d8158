#include "editor/TextSearch.h"

#include <QTextDocument>

namespace editor {

TextSearch::TextSearch(const QTextDocument& document)
    : text_(document.toRawText())
{
    text_.replace(QChar::Nbsp, u' ');
}

std::optional<qsizetype> TextSearch::find(const QString& what, qsizetype from,
                                          SearchOptions options) const
{
    if (what.isEmpty() || what.contains(QChar::ParagraphSeparator))
        return std::nullopt;
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
    charBeforeReplacedEnd_ = replacement.isEmpty() ? charBefore(at) : replacement.back();
    replacedEnd_ = at + length;
}

bool TextSearch::isWholeWord(qsizetype at, qsizetype length) const
{
    const qsizetype end = at + length;
    return !charBefore(at).isLetterOrNumber() &&
           (end == text_.size() || !text_[end].isLetterOrNumber());
}

QChar TextSearch::charBefore(qsizetype at) const
{
    if (at == replacedEnd_)
        return charBeforeReplacedEnd_;
    return at > 0 ? text_[at - 1] : QChar();
}

} // namespace editor
