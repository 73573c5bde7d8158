#include "platform/ParallelRendering.h"

#include "platform/EspeakEngine.h"
#include "platform/EspeakVoice.h"

#include <optional>
#include <QElapsedTimer>
#include <stdexcept>

namespace platform {

namespace {

// Short, so that no lane waits long while another helper's pipe fills.
constexpr int LaneWaitMs = 1;
// Kept sound goes to the sink in blocks for a few milliseconds a round, so that the lanes are read
// and the window's events handled meanwhile, even when the file compresses its sound.
constexpr std::size_t BlockSamples = 1 << 14;
constexpr int WritingMsPerRound = 4;

} // namespace

// Where a lane renders one part.
class ParallelRendering::PartSink final : public SampleSink {
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
    std::unique_ptr<EspeakVoice> voice;
    std::size_t nextPart = 0;
    std::optional<std::size_t> part;
};

ParallelRendering::ParallelRendering(EspeakEngine& engine, const speech::Voice& settings,
                                     long stream, std::vector<SpeechPiece> parts,
                                     std::shared_ptr<SampleSink> sink)
    : stream_(stream)
    , sink_(std::move(sink))
    , sampleRate_(engine.synthService().sampleRate())
{
    for (SpeechPiece& piece : parts)
        parts_.push_back({std::move(piece)});
    const int lanes = std::min<int>(engine.synthesisLanes(), static_cast<int>(parts_.size()));
    for (int i = 0; i < lanes; ++i) {
        Lane& lane = lanes_.emplace_back();
        lane.voice = engine.createLaneVoice(i);
        lane.nextPart = static_cast<std::size_t>(i);
        if (const speech::VoiceTokenPtr voice = settings.GetVoice())
            lane.voice->SetVoice(voice);
        lane.voice->SetRate(settings.Rate());
        lane.voice->SetVolume(settings.Volume());
    }
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

// Lanes run at most two parts each ahead of the sink, which bounds the sound kept in memory.
void ParallelRendering::startPart(Lane& lane)
{
    if (lane.nextPart >= parts_.size() || lane.nextPart >= front_ + 2 * lanes_.size())
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

bool ParallelRendering::partDone(Lane& lane)
{
    try {
        return lane.voice->WaitUntilDone(LaneWaitMs);
    } catch (const std::runtime_error& failure) {
        if (failure_.isEmpty())
            failure_ = QString::fromStdString(failure.what());
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
    if (index == front_ && part.written == part.sound.size()) {
        sink_->write(samples, sampleRate_);
        return;
    }
    part.sound.insert(part.sound.end(), samples.begin(), samples.end());
}

void ParallelRendering::writeSome()
{
    QElapsedTimer writing;
    writing.start();
    while (!finished() && writing.elapsed() < WritingMsPerRound) {
        Part& part = parts_[front_];
        const std::size_t count = std::min(BlockSamples, part.sound.size() - part.written);
        if (count > 0) {
            sink_->write({part.sound.data() + part.written, count}, sampleRate_);
            part.written += count;
            continue;
        }
        part.sound.clear();
        part.written = 0;
        if (!part.rendered)
            return;
        spareSounds_.push_back(std::move(part.sound));
        ++front_;
    }
}

qsizetype ParallelRendering::charactersRendered() const
{
    qsizetype rendered = charactersDone_;
    for (const Lane& lane : lanes_)
        if (lane.part)
            rendered += lane.voice->InputWordPosition();
    return rendered;
}

} // namespace platform
