// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/neural/helper/NeuralSynthesizer.h"

#include "engine/neural/helper/SentenceSplit.h"
#include "engine/neural/OnnxMetadata.h"
#include "third_party/sherpa-onnx/c-api.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace neural {

namespace {

constexpr float NormalWordsPerMinute = 175;
constexpr float SlowestSpeed = 0.25f;
constexpr float FastestSpeed = 4;

struct Generation {
    const synth::Synthesizer::Output* output;
    bool stopped = false;
};

std::int32_t onSentence(const float*, std::int32_t, float, void* argument)
{
    auto& generation = *static_cast<Generation*>(argument);
    generation.stopped = generation.output->shouldStop();
    return generation.stopped ? 0 : 1;
}

std::int16_t toSample(float value)
{
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767));
}

} // namespace

struct NeuralSynthesizer::Sentence {
    const std::u32string& text;
    TextSpan span;
};

NeuralSynthesizer::NeuralSynthesizer(VoiceFolder voice, int threads)
    : voice_(std::move(voice))
    , phonemes_(voice_.espeakVoice)
{
    const std::string model = voice_.model.string();
    const std::string tokens = voice_.tokens.string();
    const std::string data = voice_.espeakData.string();
    const std::string styles = voice_.styles.string();
    SherpaOnnxOfflineTtsConfig config{};
    if (voice_.kind == VoiceFolder::Kind::Kokoro) {
        SherpaOnnxOfflineTtsKokoroModelConfig& kokoro = config.model.kokoro;
        kokoro.model = model.c_str();
        kokoro.voices = styles.c_str();
        kokoro.tokens = tokens.c_str();
        kokoro.data_dir = data.c_str();
        kokoro.length_scale = 1.0f;
        kokoro.lexicon = voice_.lexicons.c_str();
    } else {
        SherpaOnnxOfflineTtsVitsModelConfig& vits = config.model.vits;
        vits.model = model.c_str();
        vits.tokens = tokens.c_str();
        vits.data_dir = data.c_str();
        vits.noise_scale = 0.667f;
        vits.noise_scale_w = 0.8f;
        vits.length_scale = 1.0f;
    }
    config.model.num_threads = threads;
    config.model.provider = "cpu";
    config.max_num_sentences = 1;
    tts_ = SherpaOnnxCreateOfflineTts(&config);
    if (!tts_)
        throw VoiceFolderError("sherpa-onnx could not load the model");
    sampleRate_ = SherpaOnnxOfflineTtsSampleRate(tts_);
}

NeuralSynthesizer::~NeuralSynthesizer()
{
    SherpaOnnxDestroyOfflineTts(tts_);
}

std::vector<synth::VoiceInfo> NeuralSynthesizer::voices(const std::string&) const
{
    std::vector<synth::VoiceInfo> speakers;
    for (int speaker = 0; speaker < voice_.speakers; ++speaker)
        speakers.push_back({std::to_string(speaker), voice_.folder.filename().string()});
    return speakers;
}

bool NeuralSynthesizer::synthesize(const synth::Message& request, const Output& output)
{
    int speaker = 0;
    std::from_chars(request.voice.data(), request.voice.data() + request.voice.size(), speaker);
    speaker = std::clamp(speaker, 0, voice_.speakers - 1);
    const float speed = std::clamp(static_cast<float>(request.value) / NormalWordsPerMinute,
                                   SlowestSpeed, FastestSpeed);
    const std::u32string text = decodeUtf8(request.text);
    const std::vector<TextSpan> sentences = splitSentences(text);
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        const TextSpan span = sentences[i];
        bool stopped = false;
        std::vector<float> sound =
            generate(encodeUtf8(text.substr(span.start, span.end - span.start)), speaker, speed,
                     output, stopped);
        if (stopped)
            return false;
        deliver({text, span}, std::move(sound), output);
        const auto next = static_cast<std::uint32_t>(span.end);
        output.clauseEnd(next);
        if (i + 1 == sentences.size())
            break;
        if (next >= SentenceCutOffset) {
            output.cut(next, true);
            return true;
        }
        output.sentenceEnd(next);
        if (output.shouldStop())
            return false;
    }
    return true;
}

std::vector<float> NeuralSynthesizer::generate(const std::string& text, int speaker, float speed,
                                               const Output& output, bool& stopped) const
{
    SherpaOnnxGenerationConfig config{};
    config.speed = speed;
    config.sid = speaker;
    config.silence_scale = 0.2f;
    Generation generation{&output};
    const SherpaOnnxGeneratedAudio* audio = SherpaOnnxOfflineTtsGenerateWithConfig(
        tts_, text.c_str(), &config, onSentence, &generation);
    stopped = generation.stopped;
    std::vector<float> sound;
    if (audio && audio->n > 0)
        sound.assign(audio->samples, audio->samples + audio->n);
    SherpaOnnxDestroyOfflineTtsGeneratedAudio(audio);
    return sound;
}

// Each word starts where the phonemes before it end, the sentence's first phoneme id and each
// blank between words counting as one.
void NeuralSynthesizer::deliver(const Sentence& sentence, std::vector<float> sound,
                                const Output& output) const
{
    const std::vector<TextSpan> words = splitWords(sentence.text, sentence.span);
    std::vector<long> starts;
    long counted = 1;
    for (const TextSpan word : words) {
        starts.push_back(counted);
        counted += phonemes_.phonemesOf(
                       encodeUtf8(sentence.text.substr(word.start, word.end - word.start))) +
                   1;
    }
    std::vector<std::int16_t> samples(sound.size());
    std::transform(sound.begin(), sound.end(), samples.begin(), toSample);
    const auto sampleAt = [&](long phoneme) {
        return static_cast<std::size_t>(static_cast<double>(samples.size()) * phoneme / counted);
    };
    std::size_t sent = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::size_t end = i + 1 < words.size() ? sampleAt(starts[i + 1]) : samples.size();
        output.word(static_cast<std::uint32_t>(words[i].start));
        if (end > sent)
            output.audio({samples.data() + sent, end - sent});
        sent = std::max(sent, end);
    }
    if (sent < samples.size())
        output.audio({samples.data() + sent, samples.size() - sent});
}

} // namespace neural
