// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "audio/SampleSink.h"
#include "engine/SpeechText.h"
#include "speech/Voice.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <QString>
#include <vector>

namespace engine {

class HelperEngine;
class HelperVoice;

// Renders a long text into a sink through several synthesis helpers at once. The text is cut at
// paragraph ends into parts; each lane renders one part at a time, with the voice, rate and volume
// of the voice object it renders for, and the parts reach the sink in order: the first unwritten
// one straight, the others through memory. Each part ends with a sentence pause, as a piece of the
// whole text would, so the sound lasts as long as one helper would make it. Sound marks come in
// the sink's time, which starts with the samples already in it, once the parts before theirs are in
// the sink.
class ParallelRendering {
public:
    // Long enough that the pause at a cut is a small share of a part, short enough that the lanes
    // share the text evenly.
    static constexpr qsizetype PartLength = 4000;
    // Sound kept in memory until the parts before it are written: 64 MB. A lane waits rather than
    // start a part beyond it.
    static constexpr std::size_t MaxKeptSamples = std::size_t{32} << 20;

    ParallelRendering(HelperEngine& engine, const speech::Voice& settings, long stream,
                      QString text, std::vector<SpeechPiece> parts,
                      std::shared_ptr<audio::SampleSink> sink, std::int64_t samplesInSink,
                      speech::Voice::SoundMarkHandler marks);
    ~ParallelRendering();
    ParallelRendering(const ParallelRendering&) = delete;
    ParallelRendering& operator=(const ParallelRendering&) = delete;

    long stream() const { return stream_; }
    const QString& text() const { return text_; }
    // Works for the time given, at least one round over the lanes; returns whether all of the
    // text is in the sink.
    bool advance(int timeoutMs);
    // Characters of the text rendered so far, whether or not their sound is in the sink yet.
    qsizetype charactersRendered() const;
    // Why part of the text could not be spoken, or the sink could not take it, when so.
    const QString& failure() const { return failure_; }
    // The samples in the sink, those before the text's included.
    std::int64_t samplesInSink() const { return sinkSamples_; }
    // Where in the text the sound not yet in the sink begins, near enough to go on from there
    // elsewhere: a word's sound may be in the sink already.
    qsizetype unwrittenStart() const;

private:
    class PartSink;
    struct Lane;
    struct Part {
        SpeechPiece piece;
        std::vector<std::int16_t> sound{};
        std::size_t written = 0;
        bool rendered = false;
        // Marks in the part's own time, until it is known where the part starts in the sink.
        std::vector<speech::SoundMark> marks{};
        std::optional<double> startSeconds{};
    };

    void startPart(Lane& lane);
    bool partDone(Lane& lane);
    void finishPart(Lane& lane);
    void receive(std::size_t part, std::span<const std::int16_t> samples);
    void mark(std::size_t part, speech::SoundMark mark);
    void report(speech::SoundMark soundMark, double partStart) const;
    void startInSink(Part& part);
    void writeSome();
    void write(std::span<const std::int16_t> samples);
    std::size_t keptSamples() const;
    bool finished() const { return front_ == parts_.size() || broken_; }

    long stream_;
    QString text_;
    std::vector<Part> parts_;
    std::shared_ptr<audio::SampleSink> sink_;
    speech::Voice::SoundMarkHandler marks_;
    int sampleRate_;
    std::int64_t sinkSamples_ = 0;
    std::vector<Lane> lanes_;
    // Buffers of parts written, kept for the parts to come with the memory they hold.
    std::vector<std::vector<std::int16_t>> spareSounds_;
    // The first part not wholly in the sink.
    std::size_t front_ = 0;
    qsizetype charactersDone_ = 0;
    QString failure_;
    // A helper could not start, or the sink failed: nothing more is rendered.
    bool broken_ = false;
};

} // namespace engine
