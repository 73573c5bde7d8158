// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/SampleSink.h"
#include "speech/Voice.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace engine {

// The file a voice object renders into, written a word at a time: a word the helper dies in is
// spoken again whole, so its first part must not stay in the file. Each word is marked where its
// sound rises above the quiet before it, after the closure of a first "k" or a neural voice's
// lead-in; words that stay quiet are marked with the next sound, or where their sound ends when a
// sentence or a piece ends first.
class WordSoundFile {
public:
    // Starts counting the file's samples from none.
    void open(std::shared_ptr<audio::SampleSink> sink);
    bool isOpen() const { return sink_ != nullptr; }
    const std::shared_ptr<audio::SampleSink>& sink() const { return sink_; }
    std::int64_t samples() const { return samples_; }
    // The sink took sound that did not come through here.
    void continueAfter(std::int64_t samples) { samples_ = samples; }
    void setMarkHandler(speech::Voice::SoundMarkHandler handler);
    void report(const speech::SoundMark& mark) const;

    void append(std::span<const std::int16_t> samples);
    // Writes the sound of the word before at the volume, and starts the word at the position.
    void startWord(qsizetype position, int volume, int sampleRate);
    void writeWord(int volume, int sampleRate);
    // Writes the word's sound and marks the quiet words before the end of a sentence or piece.
    void endWords(int volume, int sampleRate);
    void markEnd(qsizetype position, int sampleRate) const;
    // The word's sound is spoken again; the quiet words before it are in the file.
    void dropWordSound() { wordSound_.clear(); }
    // The rest of the text is not spoken.
    void dropWords();

private:
    void markHeardWords(int sampleRate);
    void mark(qsizetype position, std::size_t samplesLater, int sampleRate) const;

    std::shared_ptr<audio::SampleSink> sink_;
    std::int64_t samples_ = 0;
    std::vector<std::int16_t> wordSound_;
    // Words begun in the file whose sound has been quiet so far.
    std::vector<qsizetype> unheardWords_;
    speech::Voice::SoundMarkHandler markHandler_;
};

} // namespace engine
