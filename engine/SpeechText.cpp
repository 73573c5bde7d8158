// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/SpeechText.h"

#include <algorithm>
#include <vector>

namespace engine {

namespace {

bool isSentenceMark(QChar c)
{
    // Semicolons end clauses, not sentences, for espeak-ng.
    static const QString ends = QStringLiteral(".!?\u3002\uFF01\uFF1F\u2026");
    return ends.contains(c);
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

bool isBlankLineAt(const QString& text, qsizetype lineEnd)
{
    qsizetype i = lineEnd + 1;
    if (text.at(lineEnd) == u'\r' && i < text.size() && text.at(i) == u'\n')
        ++i;
    while (i < text.size() && text.at(i).isSpace() && !isLineEnd(text.at(i)))
        ++i;
    return i < text.size() && isLineEnd(text.at(i));
}

// Whether the blanks from `start` to `end` end a paragraph: they hold a blank line, or a line end
// right after a sentence mark. After a closing quote, espeak-ng pauses longer at a line end than
// at the end of a text, so only a blank line ends the paragraph there.
bool endsParagraph(const QString& text, qsizetype start, qsizetype end)
{
    int lineEnds = 0;
    for (qsizetype i = start; i < end; ++i)
        if (text.at(i) == u'\n' ||
            (text.at(i) == u'\r' && (i + 1 == end || text.at(i + 1) != u'\n')))
            ++lineEnds;
    if (lineEnds >= 2)
        return true;
    return lineEnds == 1 && start > 0 && isSentenceMark(text.at(start - 1));
}

// Where the paragraph after the first paragraph end at or after `from` begins, or the text's size.
qsizetype nextParagraph(const QString& text, qsizetype from)
{
    qsizetype start = from;
    while (start > 0 && text.at(start - 1).isSpace())
        --start;
    while (start < text.size()) {
        while (start < text.size() && !text.at(start).isSpace())
            ++start;
        qsizetype end = start;
        while (end < text.size() && text.at(end).isSpace())
            ++end;
        if (end < text.size() && endsParagraph(text, start, end))
            return end;
        start = end;
    }
    return text.size();
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
    SpeechPiece piece{text_.mid(position_, end - position_), position_, end == text_.size()};
    position_ = end;
    return piece;
}

void PieceCutter::resumeAt(qsizetype offset)
{
    position_ = std::clamp<qsizetype>(offset, 0, text_.size());
}

int PieceCutter::skipSentences(int count)
{
    int skipped = 0;
    while (skipped < count && !atEnd()) {
        position_ = likelySentenceEnd(text_, position_);
        ++skipped;
    }
    return skipped;
}

// The end of the next piece: after the last blank within reach, else at the limit. Blanks that
// open the piece belong to it.
qsizetype PieceCutter::cutPoint() const
{
    const qsizetype limit = std::min(text_.size(), position_ + maxLength_);
    if (limit == text_.size())
        return limit;
    qsizetype start = position_;
    while (start < limit && text_.at(start).isSpace())
        ++start;
    for (qsizetype i = limit - 1; i > start; --i)
        if (text_.at(i).isSpace())
            return i + 1;
    if (text_.at(limit - 1).isHighSurrogate())
        return limit - 1;
    return limit;
}

qsizetype likelySentenceEnd(const QString& text, qsizetype from)
{
    qsizetype i = from;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isLineEnd(c) && isBlankLineAt(text, i))
            return i + 1;
        const bool followedByBlank = i + 1 >= text.size() || text.at(i + 1).isSpace();
        if (isSentenceMark(c) && (followedByBlank || c.unicode() >= 0x3000))
            return i + 1;
    }
    return text.size();
}

std::vector<SpeechPiece> cutAtParagraphEnds(const QString& text, qsizetype partLength)
{
    std::vector<SpeechPiece> parts;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype end = nextParagraph(text, std::min(start + partLength, text.size()));
        parts.push_back({text.mid(start, end - start), start, true});
        start = end;
    }
    return parts;
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

} // namespace engine
