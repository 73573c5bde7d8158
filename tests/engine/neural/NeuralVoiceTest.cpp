// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/HelperVoice.h"
#include "engine/HelperVoiceToken.h"
#include "tests/support/EngineFixture.h"

#include <gmock/gmock.h>
#include <QFile>
#include <QTemporaryDir>
#include <sndfile.h>

using namespace testsupport;

namespace {

const QString Voices = QStringLiteral(TEST_VOICES);
// The test voices make 256 samples for each phoneme id.
constexpr std::size_t SamplesPerId = 256;

// A letter beyond the 16-bit range, whose offsets the helper counts in code points.
const QStringList Sentences = {
    QStringLiteral("Hello world \U0001D49C, said the first voice. "),
    QStringLiteral("This second sentence is a little longer than the first. "),
    QStringLiteral("Third one!"),
};

speech::VoiceTokenPtr voiceNamed(EngineUnderTest& under, const QString& id)
{
    for (const speech::VoiceTokenPtr& token : under.engine.voices())
        if (token->Id() == id)
            return token;
    return nullptr;
}

std::vector<std::int16_t> renderNeural(const QString& text, int rate = 0,
                                       const QString& id = QStringLiteral("neural/test-en/0"))
{
    EngineUnderTest unpaced(false, QStringLiteral("en-us"), Voices);
    auto voice = unpaced.engine.CreateVoice();
    voice->SetVoice(voiceNamed(unpaced, id));
    voice->SetRate(rate);
    voice->Speak(text, 0);
    return unpaced.recording->heard;
}

struct HeardWord {
    qsizetype offset;
    std::size_t sample;
};

} // namespace

TEST(NeuralVoice, EachSpeakerOfAUsableFolderIsListedAfterEspeakNgsVoicesAndOthersAreNamedOnce)
{
    testing::internal::CaptureStderr();
    EngineUnderTest under(false, QStringLiteral("en-us"), Voices);
    const speech::VoiceTokens& voices = under.engine.voices();
    engine::listNeuralVoices(Voices);
    const std::string said = testing::internal::GetCapturedStderr();

    QStringList neural;
    bool espeakAfterNeural = false;
    for (const speech::VoiceTokenPtr& token : voices) {
        const bool isNeural = static_cast<const engine::HelperVoiceToken&>(*token).isNeural();
        espeakAfterNeural |= !isNeural && !neural.isEmpty();
        if (isNeural)
            neural << token->GetDescription(0);
    }
    EXPECT_FALSE(espeakAfterNeural);
    EXPECT_GT(voices.size(), 50u);
    // The library is not asked while listing, so a voice it cannot load is only found in use.
    EXPECT_EQ(neural, (QStringList{"ends-library (English)", "test-duo (Deutsch, Anna)",
                                   "test-duo (Deutsch, Ben)", "test-en (English)",
                                   "test-quiet (English)", "unknown-language (English)"}));
    const QString told = QString::fromStdString(said);
    EXPECT_EQ(told.count(QStringLiteral("/truncated\" is left out: the model file is cut short")),
              1);
    EXPECT_EQ(told.count(QStringLiteral(
                  "/wrong-metadata\" is left out: the model's sample_rate \"fast\" is not usable")),
              1);
    EXPECT_EQ(told.count(u'\n'), 2) << said;
}

TEST(NeuralVoice, ATextIsHeardWholeSentenceBySentenceWithNothingBetweenThem)
{
    const std::vector<std::int16_t> whole = renderNeural(Sentences.join(QString()));
    std::size_t separately = 0;
    for (const QString& sentence : Sentences)
        separately += renderNeural(sentence).size();
    EXPECT_EQ(whole.size(), separately);
    EXPECT_EQ(whole.size() % SamplesPerId, 0u);
    EXPECT_NEAR(peakOf(whole), 16383, 2);
}

TEST(NeuralVoice, RateSetsTheModelsSpeed)
{
    const double normal = double(renderNeural(Sentences[1]).size());
    EXPECT_NEAR(double(renderNeural(Sentences[1], 10).size()), normal / 3, SamplesPerId * 2);
    EXPECT_NEAR(double(renderNeural(Sentences[1], -10).size()), normal * 3, SamplesPerId * 6);
}

// Where each word's sound begins, the voice's sound being exactly as long as its phoneme ids: the
// sound of the text before the word, sentence by sentence.
TEST(NeuralVoice, EachWordIsMarkedWithinAWordOfWhereItsSoundBegins)
{
    const QString text = Sentences.join(QString());
    std::vector<std::pair<qsizetype, std::size_t>> expected;
    std::size_t sentenceStart = 0;
    for (const QString& sentence : Sentences) {
        qsizetype at = text.indexOf(sentence);
        const QStringList words = sentence.split(u' ', Qt::SkipEmptyParts);
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString before = words.mid(0, i).join(u' ');
            const std::size_t start = i == 0 ? 0 : renderNeural(before).size();
            at = text.indexOf(words[i], at);
            expected.push_back({at, sentenceStart + start});
        }
        sentenceStart += renderNeural(sentence).size();
    }

    EngineUnderTest paced(true, QStringLiteral("en-us"), Voices);
    auto voice = paced.engine.CreateVoice();
    voice->SetVoice(voiceNamed(paced, QStringLiteral("neural/test-en/0")));
    std::vector<HeardWord> heard;
    voice->SetEventInterests(speech::Voice::AllEventInterests);
    voice->SetWordHandler([&](const speech::WordEvent& event) {
        heard.push_back({event.characterPosition, paced.recording->heard.size()});
    });
    voice->Speak(text, speech::Voice::SpeakAsync);
    voice->WaitUntilDone(-1);

    ASSERT_GE(heard.size(), expected.size() - 2);
    for (const HeardWord& word : heard) {
        const auto at = std::find_if(expected.begin(), expected.end(),
                                     [&](const auto& start) { return start.first == word.offset; });
        ASSERT_NE(at, expected.end()) << word.offset;
        const std::size_t earliest = at == expected.begin() ? 0 : std::prev(at)->second;
        const std::size_t latest =
            std::next(at) == expected.end() ? sentenceStart : std::next(at)->second;
        EXPECT_GE(word.sample, earliest) << word.offset;
        EXPECT_LE(word.sample, latest) << word.offset;
    }
}

TEST(NeuralVoice, PauseHoldsTheSoundAndSkipGoesOnWithTheNextSentence)
{
    EngineUnderTest paced(true, QStringLiteral("en-us"), Voices);
    auto voice = paced.engine.CreateVoice();
    voice->SetVoice(voiceNamed(paced, QStringLiteral("neural/test-en/0")));
    voice->Speak(Sentences.join(QString()), speech::Voice::SpeakAsync);
    ASSERT_TRUE(waitUntil([&] { return paced.secondsHeard() > 0.2; }));
    voice->Pause();
    waitUntil([] { return false; }, 50);
    const std::size_t atPause = paced.recording->heard.size();
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(paced.recording->heard.size(), atPause);
    voice->Resume();
    EXPECT_EQ(voice->Skip(QStringLiteral("Sentence"), 1), 1);
    voice->WaitUntilDone(-1);
    const std::size_t first = renderNeural(Sentences[0]).size();
    const std::size_t rest = renderNeural(Sentences[1] + Sentences[2]).size();
    EXPECT_GT(paced.recording->heard.size(), rest);
    EXPECT_LT(paced.recording->heard.size(), first + rest);
}

// A long text is rendered by two lanes, each with a helper and model of its own; the file holds
// the voice's sample rate and as much sound as one helper makes.
TEST(NeuralVoice, AnExportHasTheVoicesRateAndLengthWhetherRenderedInLanesOrNot)
{
    QString text;
    while (text.size() < 9000)
        text += Sentences.join(QString()) + QStringLiteral("\n\n");
    const QString duo = QStringLiteral("neural/test-duo/1");
    const std::size_t rendered = renderNeural(text, 0, duo).size();
    for (const speech::AudioFileType type :
         {speech::AudioFileType::Wav, speech::AudioFileType::Flac}) {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("out"));
        EngineUnderTest unpaced(false, QStringLiteral("en-us"), Voices);
        unpaced.engine.setSynthesisLanes(2);
        auto voice = unpaced.engine.CreateVoice();
        voice->SetVoice(voiceNamed(unpaced, duo));
        auto stream = unpaced.engine.CreateFileStream(type);
        stream->Open(path, speech::FileStream::CreateForWrite, false);
        voice->SetAudioOutputStream(stream);
        voice->Speak(text, 0);
        stream->Close();

        SF_INFO info{};
        SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
        ASSERT_NE(file, nullptr);
        sf_close(file);
        EXPECT_EQ(info.samplerate, 16000);
        EXPECT_EQ(static_cast<std::size_t>(info.frames), rendered);
    }
}

// A key must be heard within milliseconds, which espeak-ng manages and a neural voice does not;
// the clipboard's text and any other is spoken by the chosen voice.
TEST(NeuralVoice, ATypedKeyIsSpokenByEspeakNgInTheVoicesLanguage)
{
    EngineUnderTest unpaced(false, QStringLiteral("en-us"), Voices);
    QString german;
    for (const speech::VoiceTokenPtr& token : unpaced.engine.voices())
        if (token->Id().section(u'/', -1) == QStringLiteral("de"))
            german = token->Id();
    auto voice = unpaced.engine.CreateVoice();
    voice->SetVoice(voiceNamed(unpaced, QStringLiteral("neural/test-duo/0")));
    voice->Speak(QStringLiteral("k"), speech::Voice::SpeakTypedKey);
    EXPECT_EQ(unpaced.recording->heard, render(QStringLiteral("k"), 0, 100, german));
    EXPECT_NE(unpaced.recording->heard, render(QStringLiteral("k")));

    unpaced.recording->heard.clear();
    voice->Speak(QStringLiteral("Copied."), 0);
    EXPECT_EQ(unpaced.recording->heard,
              renderNeural(QStringLiteral("Copied."), 0, QStringLiteral("neural/test-duo/0")));
}

// One voice makes the library end its process as it loads; the other makes it refuse every text.
TEST(NeuralVoice, AVoiceTheLibraryCannotUseSaysWhyAndEspeakNgVoicesStillSpeak)
{
    const std::map<QString, std::string> reasons = {
        {QStringLiteral("neural/ends-library/0"),
         "The speech engine stopped: lectorix-neural ended unexpectedly: "},
        {QStringLiteral("neural/unknown-language/0"),
         "The speech engine stopped: lectorix-neural could not speak: Failed to set eSpeak-ng "
         "voice"},
    };
    for (const auto& [id, reason] : reasons) {
        EngineUnderTest unpaced(false, QStringLiteral("en-us"), Voices);
        auto voice = unpaced.engine.CreateVoice();
        voice->SetVoice(voiceNamed(unpaced, id));
        try {
            voice->Speak(Sentences.join(QString()), 0);
            ADD_FAILURE() << "no failure reported";
        } catch (const std::runtime_error& error) {
            EXPECT_THAT(error.what(), testing::StartsWith(reason));
        }
        EXPECT_TRUE(unpaced.recording->heard.empty());

        voice->SetVoice(unpaced.engine.voices().front());
        voice->Speak(Sentences[0], 0);
        EXPECT_EQ(unpaced.recording->heard, render(Sentences[0]));
    }
}
