// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formats/SubtitleFile.h"
#include "speech/Voice.h"

#include <map>
#include <QString>
#include <vector>

namespace speech {

// The sentences of a text spoken into a file, timed by the voice's sound marks: each starts where
// the sound of its first word starts and ends where the next one starts, the last where the sound
// ends. A sentence with no word heard, such as a lone dash, has no cue.
class TimedSentences {
public:
    explicit TimedSentences(QString text);

    void mark(const SoundMark& mark);
    std::vector<formats::SubtitleCue> cues() const;
    // How long the sound lasts, as far as it is marked.
    double seconds() const;

private:
    QString text_;
    // By character position; a later mark of the same word replaces the earlier.
    std::map<qsizetype, double> marks_;
};

} // namespace speech
