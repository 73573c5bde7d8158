// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/Chapters.h"
#include "speech/ReadingControl.h"
#include "speech/WavExport.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ReadingWidgets.h"
#include "tests/support/RecordingFeedback.h"
#include "tests/support/TemporaryFiles.h"

#include <cmath>
#include <gmock/gmock.h>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <sndfile.h>

using testsupport::contentsOf;

namespace {

// The window's controls and the real engine, without the window.
struct Exporting {
    explicit Exporting(const QString& voiceId = {})
    {
        widgets.volume.setValue(100);
        reading.fillVoiceList(0);
        for (int i = 0; i < widgets.voices.count(); ++i)
            if (widgets.voices.itemData(i).value<speech::VoiceTokenPtr>()->Id() == voiceId)
                widgets.voices.setCurrentIndex(i);
    }

    QString path(const QString& name) const { return folder.filePath(name); }

    testsupport::EngineUnderTest speech{false, QStringLiteral("en-us"),
                                        QStringLiteral(TEST_VOICES)};
    speech::VoiceHolder holder{speech.engine};
    testsupport::ReadingWidgets widgets;
    QTextEdit& editor = widgets.editor;
    speech::ReadingControl reading{holder, widgets.controls()};
    speech::WavExport exporter{holder, speech.engine, reading, editor};
    QTemporaryDir folder;
    testsupport::RecordingFeedback feedback;
};

struct Sound {
    std::vector<short> samples;
    int rate = 0;
    QString title{};
    QString album{};
    QString track{};

    double seconds() const { return rate ? double(samples.size()) / rate : 0; }
};

Sound decode(const QString& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (!file)
        return {};
    Sound sound{std::vector<short>(static_cast<std::size_t>(info.frames)), info.samplerate};
    sf_readf_short(file, sound.samples.data(), info.frames);
    const auto tag = [&](int field) { return QString::fromUtf8(sf_get_string(file, field)); };
    sound.title = tag(SF_STR_TITLE);
    sound.album = tag(SF_STR_ALBUM);
    sound.track = tag(SF_STR_TRACKNUMBER);
    sf_close(file);
    return sound;
}

struct Cue {
    double start = 0;
    double end = 0;
    QString text;
};

std::vector<Cue> readSrt(const QString& path)
{
    static const QRegularExpression timing(QStringLiteral(
        "^(\\d\\d):(\\d\\d):(\\d\\d),(\\d{3}) --> (\\d\\d):(\\d\\d):(\\d\\d),(\\d{3})$"));
    std::vector<Cue> cues;
    const QStringList blocks = QString::fromUtf8(contentsOf(path)).split(QStringLiteral("\n\n"));
    for (const QString& block : blocks) {
        const QStringList lines = block.split(u'\n');
        if (lines.size() < 3)
            continue;
        const QRegularExpressionMatch match = timing.match(lines[1]);
        EXPECT_TRUE(match.hasMatch()) << lines[1].toStdString();
        const auto time = [&](int first) {
            return match.captured(first).toInt() * 3600 + match.captured(first + 1).toInt() * 60 +
                   match.captured(first + 2).toInt() + match.captured(first + 3).toInt() / 1000.0;
        };
        cues.push_back({time(1), time(5), lines[2]});
    }
    return cues;
}

// Where the sound begins that follows a quiet stretch around the time: the first loud sample
// from 60 ms before it on.
double soundStartNear(const Sound& sound, double seconds)
{
    constexpr int Loud = 300;
    auto at = static_cast<std::size_t>(std::max(0.0, (seconds - 0.06) * sound.rate));
    while (at < sound.samples.size() && std::abs(sound.samples[at]) <= Loud)
        ++at;
    return double(at) / sound.rate;
}

// Numbered sentences whose first words start with sounds of every kind.
QString sentencesFor(int count)
{
    const QStringList openings = {QStringLiteral("The keeper"),     QStringLiteral("Snow"),
                                  QStringLiteral("Five ships"),     QStringLiteral("After dark"),
                                  QStringLiteral("Harbour lights"), QStringLiteral("Mary"),
                                  QStringLiteral("Its lamp"),       QStringLiteral("Far away")};
    QString text;
    for (int i = 0; i < count; ++i) {
        text += openings[i % openings.size()] +
                QStringLiteral(" came back to the rock for the %1th time that winter. ").arg(i + 1);
        if (i % 7 == 6)
            text += QStringLiteral("\n\n");
    }
    return text;
}

// Every cue must start where its sentence is first heard, within 30 ms, however long the export.
void expectCuesOnSoundStarts(const QString& voiceId, int sentences, double atLeastSeconds,
                             const QString& suffix = QStringLiteral(".wav"))
{
    Exporting e(voiceId);
    if (!voiceId.isEmpty()) {
        ASSERT_EQ(e.reading.selectedToken()->Id(), voiceId);
    }
    e.editor.setPlainText(sentencesFor(sentences));
    e.exporter.exportText(e.path(QStringLiteral("book") + suffix), e.feedback,
                          {false, formats::SubtitleFormat::Srt});
    const Sound sound = decode(e.path(QStringLiteral("book") + suffix));
    ASSERT_GT(sound.seconds(), atLeastSeconds);
    const std::vector<Cue> cues = readSrt(e.path(QStringLiteral("book.srt")));
    ASSERT_EQ(cues.size(), static_cast<std::size_t>(sentences));
    double worst = 0;
    for (std::size_t i = 0; i < cues.size(); ++i) {
        const double heard = soundStartNear(sound, cues[i].start);
        worst = std::max(worst, std::abs(heard - cues[i].start));
        EXPECT_NEAR(heard, cues[i].start, 0.03) << "cue " << i + 1;
        EXPECT_THAT(cues[i].text.toStdString(), testing::EndsWith("time that winter."));
        if (i + 1 < cues.size()) {
            EXPECT_DOUBLE_EQ(cues[i].end, cues[i + 1].start);
        }
    }
    EXPECT_NEAR(cues.back().end, sound.seconds(), 0.03);
    std::printf("%zu cues over %.0f s, the farthest %.1f ms from its sentence's sound\n",
                cues.size(), sound.seconds(), worst * 1000);
}

} // namespace

TEST(AudiobookExport, SubtitlesStartWhereEachSentenceIsHeardWithEspeakNg)
{
    expectCuesOnSoundStarts({}, 180, 600);
}

// Decoders leave out what the encoders put before the sound.
TEST(AudiobookExport, SubtitlesOfCompressedFilesStartWhereEachSentenceIsHeard)
{
    for (const QString& suffix : {QStringLiteral(".mp3"), QStringLiteral(".opus")})
        expectCuesOnSoundStarts({}, 16, 40, suffix);
}

TEST(AudiobookExport, SubtitlesStartWhereEachSentenceIsHeardWithANeuralVoice)
{
    expectCuesOnSoundStarts(QStringLiteral("neural/test-quiet/0"), 400, 600);
}

// A book's headings cut it: the title's part with its preface, then each chapter. Each file is
// tagged for a player, timed by its own subtitles, and listed with its length.
TEST(AudiobookExport, ChaptersBecomeTaggedFilesInAPlaylistEachWithItsSubtitles)
{
    Exporting e;
    e.editor.setMarkdown(QStringLiteral("# The Lighthouse\n\nA short preface.\n\n"
                                        "## Chapter One: Dusk?\n\nThe keeper woke. He climbed.\n\n"
                                        "## 第二章 Storm\n\nThe storm came.\n"));
    e.exporter.exportText(e.path(QStringLiteral("Keeper.ogg")), e.feedback,
                          {true, formats::SubtitleFormat::Srt});
    const QStringList names = {QStringLiteral("01 - The Lighthouse"),
                               QStringLiteral("02 - Chapter One Dusk"),
                               QStringLiteral("03 - 第二章 Storm")};
    const QStringList titles = {QStringLiteral("The Lighthouse"),
                                QStringLiteral("Chapter One: Dusk?"),
                                QStringLiteral("第二章 Storm")};
    QStringList files;
    QString playlist = QStringLiteral("#EXTM3U\n");
    for (int i = 0; i < names.size(); ++i) {
        files << names[i] + QStringLiteral(".ogg") << names[i] + QStringLiteral(".srt");
        const Sound sound = decode(e.path(names[i] + QStringLiteral(".ogg")));
        EXPECT_GT(sound.seconds(), 0.5) << i;
        EXPECT_EQ(sound.title, titles[i]);
        EXPECT_EQ(sound.album, QStringLiteral("Keeper"));
        EXPECT_EQ(sound.track, QString::number(i + 1));
        playlist += QStringLiteral("#EXTINF:%1,%2\n%3.ogg\n")
                        .arg(std::ceil(sound.seconds()))
                        .arg(titles[i], names[i]);
    }
    files << QStringLiteral("Keeper.m3u");
    EXPECT_THAT(QDir(e.folder.path()).entryList(QDir::Files),
                testing::UnorderedElementsAreArray(files));
    EXPECT_EQ(QString::fromUtf8(contentsOf(e.path(QStringLiteral("Keeper.m3u")))), playlist);
    const std::vector<Cue> second = readSrt(e.path(names[1] + QStringLiteral(".srt")));
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[0].text, titles[1]);
    EXPECT_EQ(second[2].text, QStringLiteral("He climbed."));
    EXPECT_NEAR(second[0].start,
                soundStartNear(decode(e.path(names[1] + QStringLiteral(".ogg"))), 0), 0.002);
}

// A chapter that cannot be written is told of once the others are written and listed.
TEST(AudiobookExport, AChapterThatCannotBeWrittenLeavesTheOthers)
{
    Exporting e;
    e.editor.setPlainText(QStringLiteral("Chapter 1\nOne.\nChapter 2\nTwo.\nChapter 3\nThree."));
    ASSERT_TRUE(QDir(e.folder.path()).mkdir(QStringLiteral("02 - Chapter 2.wav")));
    try {
        e.exporter.exportText(e.path(QStringLiteral("Book.wav")), e.feedback, {true, {}});
        ADD_FAILURE() << "the export reported no failure";
    } catch (const std::runtime_error& error) {
        EXPECT_THAT(error.what(), testing::HasSubstr("02 - Chapter 2.wav"));
    }
    EXPECT_GT(decode(e.path(QStringLiteral("03 - Chapter 3.wav"))).seconds(), 0.3);
    const QString playlist = QString::fromUtf8(contentsOf(e.path(QStringLiteral("Book.m3u"))));
    EXPECT_TRUE(playlist.contains(QStringLiteral("\n01 - Chapter 1.wav\n")));
    EXPECT_FALSE(playlist.contains(QStringLiteral("02 - ")));
    EXPECT_TRUE(playlist.endsWith(QStringLiteral(",Chapter 3\n03 - Chapter 3.wav\n")));
}

// Lines that name chapters cut plain text; other lines that begin alike, and the lines of a table
// of contents, do not. A selection is cut within itself.
TEST(AudiobookExport, ChapterLinesCutPlainTextAndItsSelection)
{
    QTextDocument document(QStringLiteral(
        "Foreword.\nContents\nChapter 1\nChapter XII\n\nChapter 1\nIt was dark, and in the "
        "harbour they read from the old book,\nchapter 4, as shown, and the next.\n"
        "Chapter and verse were quoted.\nCHAPTER XII. The Storm\nWind.\n第十二章 归来\n他回来了。\n"
        "第一回见到她。\nKapitel 3\nEnde."));
    const auto titlesOf = [&](speech::EditorRange range) {
        QStringList titles;
        for (const speech::Chapter& chapter : speech::chaptersIn(document, range))
            titles << chapter.title;
        return titles;
    };
    const int end = document.characterCount() - 1;
    const QString text = document.toPlainText();
    const std::vector<speech::Chapter> chapters = speech::chaptersIn(document, {0, end});
    EXPECT_EQ(titlesOf({0, end}),
              (QStringList{QString(), QStringLiteral("Chapter 1"),
                           QStringLiteral("CHAPTER XII. The Storm"),
                           QStringLiteral("第十二章 归来"), QStringLiteral("Kapitel 3")}));
    ASSERT_EQ(chapters.size(), 5u);
    EXPECT_EQ(chapters[1].range.from, text.indexOf(QStringLiteral("Chapter 1")))
        << "the contents are read with the first chapter";
    const int storm = static_cast<int>(text.indexOf(QStringLiteral("CHAPTER")));
    const std::vector<speech::Chapter> selected = speech::chaptersIn(document, {storm + 2, end});
    ASSERT_EQ(selected.size(), 3u);
    EXPECT_EQ(selected[0].title, QString());
    EXPECT_EQ(selected[0].range.from, storm + 2);
    EXPECT_EQ(titlesOf({0, 9}), QStringList{QString()});
    EXPECT_FALSE(speech::namesChapter(QStringLiteral("Chapter 1 ") + QString(80, u'x')));
}
