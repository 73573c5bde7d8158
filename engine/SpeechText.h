// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <vector>

namespace engine {

// The text that reaches espeak-ng: control characters other than tab and line ends become blanks
// (U+0001 would start espeak-ng's embedded commands) and lone surrogates become U+FFFD. The length
// stays the same, so offsets into the cleaned text are offsets into the original.
QString cleanForSynthesis(const QString& text);

struct SpeechPiece {
    QString text;
    // Offset of the piece in the text it was cut from.
    qsizetype start = 0;
    bool endsSentence = false;
};

// Cuts a text, as it is needed, into pieces of bounded size for the synthesiser, at blanks, else
// anywhere but inside a surrogate pair. A piece is not a sentence: the synthesiser speaks as far
// as it finds the sentence ends itself and the cutter resumes where it stopped.
class PieceCutter {
public:
    static constexpr qsizetype MaxPieceLength = 2400;

    explicit PieceCutter(QString text, qsizetype maxLength = MaxPieceLength);

    bool atEnd() const { return position_ >= text_.size(); }
    // Whether the next piece would reach the end of the text as the cutter has it.
    bool nextReachesEnd() const { return position_ + maxLength_ >= text_.size(); }
    // Only the piece that ends the text ends a sentence.
    SpeechPiece next();
    // Goes back to an offset before the position, where synthesis of the last piece stopped.
    void resumeAt(qsizetype offset);
    // Goes on in a longer text that begins with the one cut so far.
    void extendTo(QString text) { text_ = std::move(text); }
    // Moves past up to `count` sentences not yet cut, as likelySentenceEnd finds them; returns how
    // many were passed.
    int skipSentences(int count);

private:
    qsizetype cutPoint() const;

    QString text_;
    qsizetype maxLength_;
    qsizetype position_ = 0;
};

// The offset after the first sentence end at or after `from` as punctuation shows it (a mark
// followed by a blank, a paragraph end), or the text's size. Only for where the synthesiser cannot
// be asked: skipping text not yet spoken and retrying a failed piece.
qsizetype likelySentenceEnd(const QString& text, qsizetype from);

// The text cut into parts of at least `partLength` characters (the last may be shorter) at
// paragraph ends: blanks holding a blank line, or a line end right after a sentence mark. Each part
// takes the blanks that end it, so the next begins with its first word. Rendered apart, each with
// a sentence pause at its end, the parts last as long as the whole text does.
std::vector<SpeechPiece> cutAtParagraphEnds(const QString& text, qsizetype partLength);

// Each word of a piece as its own piece; the last one ends a sentence where the piece did.
std::vector<SpeechPiece> splitIntoWords(const SpeechPiece& piece);

} // namespace engine
