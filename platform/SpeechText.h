#pragma once

#include <QString>

namespace platform {

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

// Cuts a text, as it is needed, into pieces of bounded size: at sentence ends, else at blanks,
// else anywhere but inside a surrogate pair.
class PieceCutter {
public:
    static constexpr qsizetype MaxPieceLength = 400;

    explicit PieceCutter(QString text, qsizetype maxLength = MaxPieceLength);

    bool atEnd() const { return position_ >= text_.size(); }
    SpeechPiece next();

private:
    qsizetype cutPoint() const;

    QString text_;
    qsizetype maxLength_;
    qsizetype position_ = 0;
};

// Each word of a piece as its own piece; the last one ends a sentence where the piece did.
std::vector<SpeechPiece> splitIntoWords(const SpeechPiece& piece);

} // namespace platform
