// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/TimedSentences.h"

#include <QTextBoundaryFinder>

namespace speech {

TimedSentences::TimedSentences(QString text)
    : text_(std::move(text))
{
}

void TimedSentences::mark(const SoundMark& mark)
{
    marks_[mark.characterPosition] = mark.seconds;
}

// Unicode's sentence boundaries end a sentence at a line end too.
std::vector<formats::SubtitleCue> TimedSentences::cues() const
{
    std::vector<formats::SubtitleCue> cues;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Sentence, text_);
    for (qsizetype start = 0, end = finder.toNextBoundary(); end > start;
         start = end, end = finder.toNextBoundary()) {
        const QString sentence = text_.mid(start, end - start).simplified();
        const auto firstWord = marks_.lower_bound(start);
        if (sentence.isEmpty() || firstWord == marks_.end() || firstWord->first >= end ||
            firstWord->first >= text_.size())
            continue;
        if (!cues.empty())
            cues.back().end = firstWord->second;
        cues.push_back({firstWord->second, firstWord->second, sentence});
    }
    if (!cues.empty() && !marks_.empty())
        cues.back().end = std::max(cues.back().start, marks_.rbegin()->second);
    return cues;
}

} // namespace speech
