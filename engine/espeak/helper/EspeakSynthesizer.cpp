// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/espeak/helper/EspeakSynthesizer.h"

#include <algorithm>
#include <espeak-ng/speak_lib.h>
#include <memory>
#include <optional>
#include <sonic.h>
#include <stdexcept>

namespace synth {

namespace {

// espeak-ng plays nothing slower than this; slower rates are stretched afterwards.
constexpr std::uint32_t SlowestEspeakRate = 80;
constexpr std::uint32_t SlowestRate = 20;
constexpr std::uint32_t FastestRate = 1500;
constexpr int BufferMilliseconds = 100;

bool isUsable(const espeak_VOICE& voice)
{
    // MBROLA voices need data that is not installed; variants are not voices of their own.
    const std::string identifier = voice.identifier ? voice.identifier : "";
    return voice.name && !identifier.empty() && !identifier.starts_with("mb/") &&
           !identifier.starts_with("!v");
}

VoiceInfo infoOf(const espeak_VOICE& voice)
{
    return {voice.identifier, voice.name};
}

struct SonicStreamDeleter {
    void operator()(sonicStream stream) const { sonicDestroyStream(stream); }
};
using SonicStream = std::unique_ptr<std::remove_pointer_t<sonicStream>, SonicStreamDeleter>;

// What the synthesis callback needs. espeak-ng is global and synchronous, so one job runs at a
// time.
struct Job {
    const Synthesizer::Output* output;
    sonicStream stretch;
    std::vector<std::int16_t> stretched{};
    bool stopped = false;
    bool cut = false;
    bool sentenceStarted = false;
    // Samples espeak-ng produced before the current buffer, as its events count them.
    std::int64_t samplesBefore = 0;
    std::optional<std::uint32_t> clauseEnd{};

    void deliver(const short* samples, int count)
    {
        if (!stretch) {
            if (count > 0)
                output->audio({samples, static_cast<std::size_t>(count)});
            return;
        }
        if (count > 0)
            sonicWriteShortToStream(stretch, const_cast<short*>(samples), count);
        else
            sonicFlushStream(stretch);
        drainStretch();
    }

    void drainStretch()
    {
        stretched.resize(4096);
        int read = 0;
        while ((read = sonicReadShortFromStream(stretch, stretched.data(),
                                                static_cast<int>(stretched.size()))) > 0)
            output->audio({stretched.data(), static_cast<std::size_t>(read)});
    }

    void cutAt(std::uint32_t offset, bool sentence)
    {
        cut = true;
        output->cut(offset, sentence);
    }

    // How many samples of the buffer come before the event.
    int samplesUntil(const espeak_EVENT& event, int count) const
    {
        return static_cast<int>(std::clamp<std::int64_t>(event.sample - samplesBefore, 0, count));
    }
};

Job* runningJob = nullptr;

std::uint32_t offsetOf(const espeak_EVENT& event)
{
    return event.text_position > 0 ? static_cast<std::uint32_t>(event.text_position - 1) : 0;
}

const espeak_EVENT* findEvent(const espeak_EVENT* events, espeak_EVENT_TYPE type)
{
    for (; events->type != espeakEVENT_LIST_TERMINATED; ++events)
        if (events->type == type)
            return events;
    return nullptr;
}

// Hands on the buffer's sound with its events in order, each event after the sound before it, up
// to a cut if the piece ends here.
void readBuffer(Job& job, const short* samples, int count, const espeak_EVENT* events)
{
    int delivered = 0;
    const auto deliverUntil = [&](const espeak_EVENT& event) {
        const int until = job.samplesUntil(event, count);
        if (samples && until > delivered)
            job.deliver(samples + delivered, until - delivered);
        delivered = std::max(delivered, until);
    };
    const espeak_EVENT* sentence = findEvent(events, espeakEVENT_SENTENCE);
    if (job.clauseEnd && (count > 0 || sentence)) {
        // The next clause's first word, as the clause end may lie on its own punctuation.
        const espeak_EVENT* word = findEvent(events, espeakEVENT_WORD);
        if (sentence) {
            deliverUntil(*sentence);
            job.cutAt(offsetOf(*sentence), true);
        } else {
            job.cutAt(word ? std::max(offsetOf(*word), *job.clauseEnd) : *job.clauseEnd, false);
        }
        return;
    }
    for (const espeak_EVENT* event = events; event->type != espeakEVENT_LIST_TERMINATED; ++event) {
        const std::uint32_t offset = offsetOf(*event);
        if (event->type == espeakEVENT_SENTENCE && job.sentenceStarted) {
            deliverUntil(*event);
            if (offset >= EspeakSynthesizer::SentenceCutOffset) {
                job.cutAt(offset, true);
                return;
            }
            job.output->sentenceEnd(offset);
        } else if (event->type == espeakEVENT_SENTENCE) {
            job.sentenceStarted = true;
        } else if (event->type == espeakEVENT_WORD && event->text_position > 0) {
            deliverUntil(*event);
            job.output->word(offset);
        } else if (event->type == espeakEVENT_END) {
            deliverUntil(*event);
            job.output->clauseEnd(offset);
            if (offset >= EspeakSynthesizer::ClauseCutOffset && !job.clauseEnd)
                job.clauseEnd = offset;
        }
    }
    if (samples && count > delivered)
        job.deliver(samples + delivered, count - delivered);
}

int onSynth(short* samples, int count, espeak_EVENT* events)
{
    Job* job = runningJob;
    if (!job || job->cut)
        return 1;
    readBuffer(*job, samples, count, events);
    job->samplesBefore += count;
    if (job->cut)
        return 1;
    if (job->output->shouldStop()) {
        job->stopped = true;
        return 1;
    }
    return 0;
}

} // namespace

EspeakSynthesizer::EspeakSynthesizer()
{
    sampleRate_ = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, BufferMilliseconds, nullptr,
                                    espeakINITIALIZE_DONT_EXIT);
    if (sampleRate_ <= 0)
        throw std::runtime_error("espeak-ng could not be initialised");
    espeak_SetSynthCallback(onSynth);
    espeak_SetParameter(espeakVOLUME, 100, 0);
}

EspeakSynthesizer::~EspeakSynthesizer()
{
    espeak_Terminate();
}

std::vector<VoiceInfo> EspeakSynthesizer::voices(const std::string& languageTag) const
{
    // espeak_ListVoices returns one static array that its next call overwrites: copy at once.
    std::vector<VoiceInfo> all;
    for (const espeak_VOICE** voice = espeak_ListVoices(nullptr); *voice; ++voice)
        if (isUsable(**voice))
            all.push_back(infoOf(**voice));
    std::sort(all.begin(), all.end(),
              [](const VoiceInfo& a, const VoiceInfo& b) { return a.name < b.name; });

    espeak_VOICE wanted{};
    wanted.languages = languageTag.c_str();
    std::string preferred;
    for (const espeak_VOICE** voice = espeak_ListVoices(&wanted); *voice; ++voice)
        if (isUsable(**voice)) {
            preferred = (*voice)->identifier;
            break;
        }
    const auto first = std::find_if(all.begin(), all.end(), [&](const VoiceInfo& voice) {
        return voice.identifier == preferred;
    });
    if (first != all.end())
        std::rotate(all.begin(), first, first + 1);
    return all;
}

void EspeakSynthesizer::selectVoice(const std::string& identifier)
{
    if (identifier == currentVoice_)
        return;
    if (espeak_SetVoiceByName(identifier.c_str()) != EE_OK)
        throw std::runtime_error("unknown voice " + identifier);
    currentVoice_ = identifier;
}

bool EspeakSynthesizer::synthesize(const Message& request, const Output& output)
{
    selectVoice(request.voice);
    const std::uint32_t wanted = std::clamp(request.value, SlowestRate, FastestRate);
    espeak_SetParameter(espeakRATE, static_cast<int>(std::max(wanted, SlowestEspeakRate)), 0);

    SonicStream stretch;
    if (wanted < SlowestEspeakRate) {
        stretch.reset(sonicCreateStream(sampleRate_, 1));
        sonicSetSpeed(stretch.get(), static_cast<float>(wanted) / SlowestEspeakRate);
    }
    Job job{.output = &output, .stretch = stretch.get()};
    runningJob = &job;
    // Never espeakSSML: markup in a document is read as text.
    const unsigned flags = espeakCHARS_UTF8 | (request.flag ? espeakENDPAUSE : 0);
    espeak_Synth(request.text.c_str(), request.text.size() + 1, 0, POS_CHARACTER, 0, flags, nullptr,
                 nullptr);
    runningJob = nullptr;
    if (stretch && !job.stopped)
        job.deliver(nullptr, 0);
    return !job.stopped;
}

} // namespace synth
