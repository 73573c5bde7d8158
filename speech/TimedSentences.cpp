// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/TimedSentences.h"

#include <QTextBoundaryFinder>

namespace speech {

namespace {

constexpr double ShortestCue = 0.001;

} // namespace

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
    if (!cues.empty())
        cues.back().end = seconds();
    // A cue ends after it starts, as players require.
    for (formats::SubtitleCue& cue : cues)
        cue.end = std::max(cue.end, cue.start + ShortestCue);
    return cues;
}

double TimedSentences::seconds() const
{
    double latest = 0;
    for (const auto& [position, seconds] : marks_)
        latest = std::max(latest, seconds);
    return latest;
}

} // namespace speech
