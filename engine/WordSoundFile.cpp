// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/WordSoundFile.h"

#include "audio/AudioLevel.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace engine {

namespace {

// Below the noise of a quiet room in a recording: -50 dB of full scale.
constexpr std::int16_t QuietLevel = 100;

// Where the sound rises above the quiet before it; its length when it stays quiet.
std::size_t quietLead(const std::vector<std::int16_t>& sound)
{
    const auto heard = std::find_if(sound.begin(), sound.end(), [](std::int16_t sample) {
        return std::abs(static_cast<int>(sample)) > QuietLevel;
    });
    return static_cast<std::size_t>(heard - sound.begin());
}

} // namespace

void WordSoundFile::open(std::shared_ptr<audio::SampleSink> sink)
{
    sink_ = std::move(sink);
    samples_ = 0;
}

void WordSoundFile::setMarkHandler(speech::Voice::SoundMarkHandler handler)
{
    markHandler_ = std::move(handler);
}

void WordSoundFile::report(const speech::SoundMark& mark) const
{
    if (markHandler_)
        markHandler_(mark);
}

void WordSoundFile::append(std::span<const std::int16_t> samples)
{
    wordSound_.insert(wordSound_.end(), samples.begin(), samples.end());
}

void WordSoundFile::startWord(qsizetype position, int volume, int sampleRate)
{
    writeWord(volume, sampleRate);
    unheardWords_.push_back(position);
}

void WordSoundFile::writeWord(int volume, int sampleRate)
{
    markHeardWords(sampleRate);
    if (sink_ && !wordSound_.empty()) {
        audio::applyVolume(wordSound_, volume);
        sink_->write(wordSound_, sampleRate);
        samples_ += static_cast<std::int64_t>(wordSound_.size());
    }
    wordSound_.clear();
}

void WordSoundFile::endWords(int volume, int sampleRate)
{
    writeWord(volume, sampleRate);
    for (const qsizetype word : std::exchange(unheardWords_, {}))
        mark(word, 0, sampleRate);
}

void WordSoundFile::markEnd(qsizetype position, int sampleRate) const
{
    mark(position, 0, sampleRate);
}

void WordSoundFile::dropWords()
{
    wordSound_.clear();
    unheardWords_.clear();
}

void WordSoundFile::markHeardWords(int sampleRate)
{
    const std::size_t lead = quietLead(wordSound_);
    if (lead == wordSound_.size())
        return;
    for (const qsizetype word : std::exchange(unheardWords_, {}))
        mark(word, lead, sampleRate);
}

void WordSoundFile::mark(qsizetype position, std::size_t samplesLater, int sampleRate) const
{
    report({position,
            static_cast<double>(samples_ + static_cast<std::int64_t>(samplesLater)) / sampleRate});
}

} // namespace engine
