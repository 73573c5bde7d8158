// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace neural {

// Counts the phonemes espeak-ng gives a word, in the language of a voice: a neural voice's sound
// for a sentence is shared among its words by them. espeak-ng's API is global, so a process holds
// at most one of these.
class PhonemeCounter {
public:
    explicit PhonemeCounter(const std::string& espeakVoice);
    ~PhonemeCounter();
    PhonemeCounter(const PhonemeCounter&) = delete;
    PhonemeCounter& operator=(const PhonemeCounter&) = delete;

    // At least one, so that every word has a place of its own.
    int phonemesOf(const std::string& word) const;

private:
    bool ready_ = false;
};

} // namespace neural
