#include "platform/SpeechText.h"

#include <algorithm>
#include <vector>

namespace platform {

namespace {

bool isSentenceEnd(QChar c)
{
    static const QString ends = QStringLiteral(".!?;\u3002\uFF01\uFF1F\uFF1B\u2026");
    return ends.contains(c);
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

} // namespace

QString cleanForSynthesis(const QString& text)
{
    QString clean = text;
    QChar* c = clean.data();
    const qsizetype size = clean.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = c[i].unicode();
        if (unit < 0x20 && unit != u'\t' && unit != u'\n' && unit != u'\r') {
            c[i] = u' ';
        } else if (QChar::isHighSurrogate(unit)) {
            if (i + 1 < size && QChar::isLowSurrogate(c[i + 1].unicode()))
                ++i;
            else
                c[i] = QChar::ReplacementCharacter;
        } else if (QChar::isLowSurrogate(unit)) {
            c[i] = QChar::ReplacementCharacter;
        }
    }
    return clean;
}

PieceCutter::PieceCutter(QString text, qsizetype maxLength)
    : text_(std::move(text))
    , maxLength_(maxLength)
{
}

SpeechPiece PieceCutter::next()
{
    const qsizetype end = cutPoint();
    SpeechPiece piece{text_.mid(position_, end - position_), position_, false};
    const QString trimmed = piece.text.trimmed();
    piece.endsSentence =
        !trimmed.isEmpty() &&
        (isSentenceEnd(trimmed.back()) || isLineEnd(piece.text.back()) || end == text_.size());
    position_ = end;
    return piece;
}

// The end of the next piece: after the first sentence end (a mark followed by a blank) or line
// end within reach, else after the last blank within reach, else at the limit. Blanks that open
// the piece belong to it.
qsizetype PieceCutter::cutPoint() const
{
    const qsizetype limit = std::min(text_.size(), position_ + maxLength_);
    qsizetype start = position_;
    while (start < limit && text_.at(start).isSpace())
        ++start;
    qsizetype lastBlank = -1;
    for (qsizetype i = start; i < limit; ++i) {
        const QChar c = text_.at(i);
        if (isLineEnd(c))
            return i + 1;
        const bool followedByBlank = i + 1 >= text_.size() || text_.at(i + 1).isSpace();
        if (isSentenceEnd(c) && (followedByBlank || c.unicode() >= 0x3000))
            return i + 1;
        if (c.isSpace())
            lastBlank = i;
    }
    if (limit == text_.size())
        return limit;
    if (lastBlank > start)
        return lastBlank + 1;
    if (text_.at(limit - 1).isHighSurrogate())
        return limit - 1;
    return limit;
}

std::vector<SpeechPiece> splitIntoWords(const SpeechPiece& piece)
{
    std::vector<SpeechPiece> words;
    const QString& text = piece.text;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        while (end < text.size() && !text.at(end).isSpace())
            ++end;
        while (end < text.size() && text.at(end).isSpace())
            ++end;
        words.push_back({text.mid(i, end - i), piece.start + i, false});
        i = end;
    }
    if (!words.empty())
        words.back().endsSentence = piece.endsSentence;
    return words;
}

} // namespace platform
