// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/ParallelRendering.h"

#include "engine/HelperEngine.h"
#include "engine/HelperVoice.h"

#include <optional>
#include <QElapsedTimer>
#include <stdexcept>

namespace engine {

namespace {

// Short, so that no lane waits long while another helper's pipe fills.
constexpr int LaneWaitMs = 1;
// Kept sound goes to the sink in blocks for a few milliseconds a round, so that the lanes are read
// and the window's events handled meanwhile, even when the file compresses its sound.
constexpr std::size_t BlockSamples = 1 << 14;
constexpr int WritingMsPerRound = 4;

} // namespace

// Where a lane renders one part.
class ParallelRendering::PartSink final : public audio::SampleSink {
public:
    PartSink(ParallelRendering& rendering, std::size_t part)
        : rendering_(rendering)
        , part_(part)
    {
    }

    void write(std::span<const std::int16_t> samples, int) override
    {
        rendering_.receive(part_, samples);
    }

private:
    ParallelRendering& rendering_;
    std::size_t part_;
};

// Each lane renders every n-th part, so the same text always gives the same sound: a helper's
// sound for a part depends a little on what it rendered before.
struct ParallelRendering::Lane {
    std::unique_ptr<HelperVoice> voice;
    std::size_t nextPart = 0;
    std::optional<std::size_t> part;
};

ParallelRendering::ParallelRendering(HelperEngine& engine, const speech::Voice& settings,
                                     long stream, QString text, std::vector<SpeechPiece> parts,
                                     std::shared_ptr<audio::SampleSink> sink,
                                     std::int64_t samplesInSink,
                                     speech::Voice::SoundMarkHandler marks)
    : stream_(stream)
    , text_(std::move(text))
    , sink_(std::move(sink))
    , marks_(std::move(marks))
    , sampleRate_(engine.serviceFor(0, settings.GetVoice().get()).sampleRate())
    , sinkSamples_(samplesInSink)
{
    for (SpeechPiece& piece : parts)
        parts_.push_back({std::move(piece)});
    const int lanes = std::min<int>(engine.synthesisLanes(settings.GetVoice().get()),
                                    static_cast<int>(parts_.size()));
    for (int i = 0; i < lanes; ++i) {
        Lane& lane = lanes_.emplace_back();
        lane.voice = engine.createLaneVoice(i);
        lane.nextPart = static_cast<std::size_t>(i);
        if (const speech::VoiceTokenPtr voice = settings.GetVoice())
            lane.voice->SetVoice(voice);
        lane.voice->SetRate(settings.Rate());
        lane.voice->SetVolume(settings.Volume());
        lane.voice->SetSoundMarkHandler(
            [this, i](const speech::SoundMark& soundMark) { mark(*lanes_[i].part, soundMark); });
    }
    if (!parts_.empty())
        startInSink(parts_.front());
}

ParallelRendering::~ParallelRendering() = default;

bool ParallelRendering::advance(int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    do {
        for (Lane& lane : lanes_) {
            if (!lane.part)
                startPart(lane);
            if (lane.part && partDone(lane))
                finishPart(lane);
        }
        writeSome();
    } while (!finished() && waited.elapsed() < timeoutMs);
    return finished();
}

// Lanes run at most two parts each ahead of the sink, and not beyond the sound that may be kept.
void ParallelRendering::startPart(Lane& lane)
{
    if (lane.nextPart >= parts_.size() || lane.nextPart >= front_ + 2 * lanes_.size() ||
        (lane.nextPart != front_ && keptSamples() > MaxKeptSamples))
        return;
    lane.part = std::exchange(lane.nextPart, lane.nextPart + lanes_.size());
    Part& part = parts_[*lane.part];
    if (!spareSounds_.empty()) {
        part.sound = std::move(spareSounds_.back());
        spareSounds_.pop_back();
    }
    lane.voice->renderInto(std::make_shared<PartSink>(*this, *lane.part));
    lane.voice->Speak(part.piece.text, speech::Voice::SpeakAsync);
}

// A word left out is reported at the end, as by a single helper; a helper that cannot start
// ends the rendering, as it would end a single helper's.
bool ParallelRendering::partDone(Lane& lane)
{
    try {
        return lane.voice->WaitUntilDone(LaneWaitMs);
    } catch (const std::runtime_error& failure) {
        failure_ = QString::fromStdString(failure.what());
        broken_ = broken_ || !lane.voice->hasWorkingHelper();
        return true;
    }
}

void ParallelRendering::finishPart(Lane& lane)
{
    Part& part = parts_[*std::exchange(lane.part, std::nullopt)];
    part.rendered = true;
    charactersDone_ += part.piece.text.size();
    startPart(lane);
}

// The sound of the part being written goes straight on once nothing of it is kept.
void ParallelRendering::receive(std::size_t index, std::span<const std::int16_t> samples)
{
    Part& part = parts_[index];
    if (broken_)
        return;
    if (index == front_ && part.written == part.sound.size()) {
        write(samples);
        return;
    }
    part.sound.insert(part.sound.end(), samples.begin(), samples.end());
}

// A part's end is the text's end only for the last part.
void ParallelRendering::mark(std::size_t index, speech::SoundMark soundMark)
{
    Part& part = parts_[index];
    if (soundMark.characterPosition == part.piece.text.size() && index + 1 < parts_.size())
        return;
    soundMark.characterPosition += part.piece.start;
    if (part.startSeconds)
        report(soundMark, *part.startSeconds);
    else
        part.marks.push_back(soundMark);
}

void ParallelRendering::report(speech::SoundMark soundMark, double partStart) const
{
    soundMark.seconds += partStart;
    if (marks_)
        marks_(soundMark);
}

void ParallelRendering::startInSink(Part& part)
{
    part.startSeconds = static_cast<double>(sinkSamples_) / sampleRate_;
    for (const speech::SoundMark& kept : std::exchange(part.marks, {}))
        report(kept, *part.startSeconds);
}

void ParallelRendering::writeSome()
{
    QElapsedTimer writing;
    writing.start();
    while (!finished() && writing.elapsed() < WritingMsPerRound) {
        Part& part = parts_[front_];
        const std::size_t count = std::min(BlockSamples, part.sound.size() - part.written);
        if (count > 0) {
            write({part.sound.data() + part.written, count});
            part.written += count;
            continue;
        }
        part.sound.clear();
        part.written = 0;
        if (!part.rendered)
            return;
        spareSounds_.push_back(std::move(part.sound));
        if (++front_ < parts_.size())
            startInSink(parts_[front_]);
    }
}

// A sink that fails ends the rendering; the failure is reported as the sink's own would be.
void ParallelRendering::write(std::span<const std::int16_t> samples)
{
    try {
        sink_->write(samples, sampleRate_);
        sinkSamples_ += static_cast<std::int64_t>(samples.size());
    } catch (const std::runtime_error& failure) {
        failure_ = QString::fromStdString(failure.what());
        broken_ = true;
    }
}

std::size_t ParallelRendering::keptSamples() const
{
    std::size_t kept = 0;
    for (std::size_t part = front_; part < parts_.size() && part < front_ + 2 * lanes_.size();
         ++part)
        kept += parts_[part].sound.size() - parts_[part].written;
    return kept;
}

qsizetype ParallelRendering::unwrittenStart() const
{
    if (front_ >= parts_.size())
        return parts_.empty() ? 0 : parts_.back().piece.start + parts_.back().piece.text.size();
    qsizetype start = parts_[front_].piece.start;
    for (const Lane& lane : lanes_)
        if (lane.part == front_ && parts_[front_].written == parts_[front_].sound.size())
            start += lane.voice->InputWordPosition();
    return start;
}

qsizetype ParallelRendering::charactersRendered() const
{
    qsizetype rendered = charactersDone_;
    for (const Lane& lane : lanes_)
        if (lane.part)
            rendered += lane.voice->InputWordPosition();
    return rendered;
}

} // namespace engine
