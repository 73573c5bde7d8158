// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/WordHighlight.h"

#include "speech/ReadingControl.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ReadingWidgets.h"

#include <gmock/gmock.h>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

using testsupport::EngineUnderTest;
using testsupport::waitUntil;

namespace {

QString markedText(const QTextEdit& editor)
{
    const QList<QTextEdit::ExtraSelection> marks = editor.extraSelections();
    return marks.size() == 1 ? marks.front().cursor.selectedText() : QString();
}

int markedPosition(const QTextEdit& editor)
{
    const QList<QTextEdit::ExtraSelection> marks = editor.extraSelections();
    return marks.size() == 1 ? marks.front().cursor.selectionStart() : -1;
}

// Reading aloud with the real engine, its sound paced in real time.
struct RealReading {
    explicit RealReading(const QString& text, const QString& language = QStringLiteral("en-us"))
        : engine(true, language)
    {
        control.fillVoiceList(0);
        control.applyRateAndVolume(0, 100);
        controls.editor.setPlainText(text);
    }

    double secondsHeard() const { return engine.secondsHeard(); }
    bool done() { return holder->WaitUntilDone(0); }
    // Handles events until the marked word changes; returns its position, or -1.
    int nextMark()
    {
        const int before = markedPosition(controls.editor);
        waitUntil([&] { return markedPosition(controls.editor) != before || done(); });
        return markedPosition(controls.editor);
    }

    EngineUnderTest engine;
    speech::VoiceHolder holder{engine.engine};
    testsupport::ReadingWidgets controls;
    speech::ReadingControl control{holder, controls.controls()};
};

struct Span {
    std::size_t from = 0;
    std::size_t to = 0;
};

// The stretches of sound between pauses of at least 150 ms, by 10 ms frames above a level.
std::vector<Span> soundIslands(const std::vector<std::int16_t>& samples, int sampleRate)
{
    const std::size_t frame = static_cast<std::size_t>(sampleRate) / 100;
    constexpr int QuietFrames = 15;
    std::vector<Span> islands;
    int quiet = QuietFrames;
    for (std::size_t at = 0; at + frame <= samples.size(); at += frame) {
        double squares = 0;
        for (std::size_t i = at; i < at + frame; ++i)
            squares += double(samples[i]) * samples[i];
        if (std::sqrt(squares / double(frame)) < 300) {
            ++quiet;
            continue;
        }
        if (quiet >= QuietFrames)
            islands.push_back({at, at + frame});
        islands.back().to = at + frame;
        quiet = 0;
    }
    return islands;
}

} // namespace

TEST(WordHighlight, TheMarkedWordIsTheWordWhoseSoundIsPlaying)
{
    const QStringList words = {QStringLiteral("One"),   QStringLiteral("Two"),
                               QStringLiteral("Three"), QStringLiteral("Four"),
                               QStringLiteral("Five"),  QStringLiteral("Six")};
    RealReading reading(words.join(QStringLiteral(". ")) + u'.');
    std::vector<std::pair<std::size_t, QString>> seen;
    reading.control.readAloud();
    // Only the pumps move what was heard and the mark, so each look sees the two together.
    waitUntil([&] {
        const QString marked = markedText(reading.controls.editor);
        seen.emplace_back(reading.engine.recording->heard.size(), marked);
        return marked.isEmpty() && seen.size() > 1 && !seen[seen.size() - 2].second.isEmpty();
    });
    const std::vector<Span> islands =
        soundIslands(reading.engine.recording->heard, reading.engine.recording->sampleRate);
    ASSERT_EQ(islands.size(), std::size_t(words.size()));
    const std::size_t margin = std::size_t(reading.engine.recording->sampleRate) / 20;
    std::vector<int> checked(words.size());
    for (const auto& [heard, marked] : seen) {
        for (qsizetype word = 0; word < words.size(); ++word) {
            if (marked == words[word]) {
                EXPECT_GE(heard + margin, islands[word].from) << "marked before it is heard";
            }
            if (heard < islands[word].from + margin || heard + margin > islands[word].to)
                continue;
            EXPECT_EQ(marked, words[word]) << "at sample " << heard;
            ++checked[word];
        }
    }
    EXPECT_THAT(checked, testing::Each(testing::Gt(0)));
    QTextEdit& editor = reading.controls.editor;
    EXPECT_TRUE(reading.done()) << "the mark went at the end of the text";
    EXPECT_FALSE(editor.document()->isUndoAvailable());
    EXPECT_FALSE(editor.document()->isModified());
}

TEST(WordHighlight, PauseHoldsTheMarkAndSkipMovesItToTheNextSentence)
{
    const QString text = QStringLiteral("The first sentence has quite a number of words in it "
                                        "for us to wait on. Then the second one comes along.");
    RealReading reading(text);
    QTextEdit& editor = reading.controls.editor;
    reading.control.readAloud();
    ASSERT_TRUE(waitUntil([&] { return markedPosition(editor) > 0; }));
    reading.control.pauseOrResume();
    waitUntil([] { return false; }, 100);
    const int paused = markedPosition(editor);
    const double heard = reading.secondsHeard();
    waitUntil([] { return false; }, 600);
    EXPECT_EQ(markedPosition(editor), paused);
    EXPECT_EQ(reading.secondsHeard(), heard);
    reading.control.pauseOrResume();
    EXPECT_GT(reading.nextMark(), paused) << "resumed";
    reading.holder->Skip(QStringLiteral("Sentence"), 1);
    const int second = text.indexOf(QStringLiteral("Then"));
    EXPECT_EQ(reading.nextMark(), second);
    for (int mark = reading.nextMark(); mark >= 0 && !reading.done(); mark = reading.nextMark())
        EXPECT_GT(mark, second);
}

TEST(WordHighlight, ASelectionReadIsMarkedWithinItUntilTheTextIsEdited)
{
    // A control character and a lone surrogate, which the engine cleans, keep every place.
    const QString text = QStringLiteral("Not this. Alpha\u0001beta gamma ") + QChar(0xD800) +
                         QStringLiteral(" delta epsilon zeta eta theta iota. Nor this.");
    RealReading reading(text);
    QTextEdit& editor = reading.controls.editor;
    QTextCursor selection(editor.document());
    const int from = text.indexOf(u"Alpha");
    const int to = text.indexOf(u"Nor");
    selection.setPosition(from);
    selection.setPosition(to, QTextCursor::KeepAnchor);
    editor.setTextCursor(selection);
    reading.control.readAloud();
    QStringList marked;
    ASSERT_TRUE(waitUntil([&] {
        const int at = markedPosition(editor);
        if (at >= 0 && (marked.isEmpty() || marked.back() != markedText(editor)))
            marked << markedText(editor);
        return at >= text.indexOf(u"delta");
    }));
    // A late pump may pass over a word, never mark one out of place.
    const QStringList words = {QStringLiteral("Alpha"), QStringLiteral("beta"),
                               QStringLiteral("gamma"), QStringLiteral("delta"),
                               QStringLiteral("epsilon")};
    EXPECT_EQ(marked.front(), words.front());
    for (qsizetype i = 0; i < marked.size(); ++i) {
        EXPECT_TRUE(words.contains(marked[i])) << marked[i].toStdString();
        if (i > 0) {
            EXPECT_GT(words.indexOf(marked[i]), words.indexOf(marked[i - 1]));
        }
    }
    QTextCursor(editor.document()).insertText(QStringLiteral("Now "));
    EXPECT_TRUE(editor.extraSelections().isEmpty());
    const double heard = reading.secondsHeard();
    waitUntil([] { return false; }, 800);
    EXPECT_GT(reading.secondsHeard(), heard + 0.5) << "the reading goes on";
    EXPECT_TRUE(editor.extraSelections().isEmpty());
}

TEST(WordHighlight, ChineseIsMarkedCharacterByCharacter)
{
    const QString text = QStringLiteral("你好世界。");
    RealReading reading(text, QStringLiteral("cmn"));
    QStringList marked;
    reading.control.readAloud();
    waitUntil([&] {
        const QString now = markedText(reading.controls.editor);
        if (!now.isEmpty() && (marked.isEmpty() || marked.back() != now))
            marked << now;
        return reading.done();
    });
    ASSERT_GE(marked.size(), 3) << "a late pump may pass over a character, no more";
    EXPECT_EQ(marked.front(), QStringLiteral("你"));
    EXPECT_EQ(marked.back(), QStringLiteral("界"));
    for (qsizetype i = 1; i < marked.size(); ++i)
        EXPECT_GT(text.indexOf(marked[i]), text.indexOf(marked[i - 1]));
}

TEST(WordHighlight, TheWordIsKeptInViewUnlessTheUserScrolledLately)
{
    QTextEdit editor;
    editor.resize(300, 150);
    editor.show();
    QStringList lines;
    for (int line = 0; line < 200; ++line)
        lines << QStringLiteral("line %1 of the text").arg(line);
    const QString text = lines.join(u'\n');
    editor.setPlainText(text);
    speech::WordHighlight highlight(editor, std::chrono::milliseconds(300));
    highlight.follow(1, {0, int(text.size())}, std::make_shared<QString>(text));
    QScrollBar& bar = *editor.verticalScrollBar();
    const auto hear = [&](int line) {
        const int position = int(text.indexOf(QStringLiteral("line %1 ").arg(line)));
        highlight.wordHeard({1, position});
        QTextCursor word(editor.document());
        word.setPosition(position);
        return editor.viewport()->rect().contains(editor.cursorRect(word));
    };
    EXPECT_TRUE(hear(150));
    EXPECT_GT(bar.value(), 0);
    bar.setValue(0);
    EXPECT_FALSE(hear(160)) << "the user's scrolling is respected";
    EXPECT_EQ(bar.value(), 0);
    waitUntil([] { return false; }, 400);
    EXPECT_TRUE(hear(170));
    const int kept = bar.value();
    EXPECT_TRUE(hear(171));
    EXPECT_EQ(bar.value(), kept) << "a word in view needs no scrolling";
}

TEST(WordHighlight, WordsOfAParagraphTooLongToRepaintOftenGoUnmarked)
{
    QTextEdit editor;
    const QString text = QStringLiteral("Short one.\n") + QString(250'000, u'a') +
                         QStringLiteral(" end.\nShort two.");
    editor.setPlainText(text);
    speech::WordHighlight highlight(editor);
    highlight.follow(1, {0, int(text.size())}, std::make_shared<QString>(text));
    highlight.wordHeard({1, 0});
    EXPECT_EQ(markedText(editor), QStringLiteral("Short"));
    highlight.wordHeard({1, text.indexOf(u" end") + 1});
    EXPECT_TRUE(editor.extraSelections().isEmpty());
    highlight.wordHeard({1, text.indexOf(u"two")});
    EXPECT_EQ(markedText(editor), QStringLiteral("two"));
}
