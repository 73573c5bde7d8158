// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/Chapters.h"

#include <algorithm>
#include <map>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

namespace speech {

namespace {

// A heading is a line of its own, never a sentence of a paragraph; a Chinese one is shorter.
constexpr qsizetype LongestChapterLine = 80;
constexpr qsizetype LongestChineseChapterLine = 40;
// Longer than a title such as "Contents", shorter than a line of wrapped prose.
constexpr qsizetype LongestTitleLine = 30;

struct Heading {
    int position = 0;
    // Where the heading's line ends.
    int end = 0;
    int level = 0;
    QString text;
};

Heading headingOf(const QTextBlock& block, int level)
{
    return {block.position(), block.position() + block.length() - 1, level,
            block.text().simplified()};
}

std::vector<QTextBlock> blocksIn(const QTextDocument& document, EditorRange range)
{
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = document.findBlock(range.from);
         block.isValid() && block.position() < range.to; block = block.next())
        blocks.push_back(block);
    return blocks;
}

std::vector<Heading> markedHeadings(const std::vector<QTextBlock>& blocks, int from)
{
    std::vector<Heading> headings;
    std::map<int, int> perLevel;
    for (const QTextBlock& block : blocks)
        if (const int level = block.blockFormat().headingLevel();
            level > 0 && block.position() >= from && !block.text().trimmed().isEmpty()) {
            headings.push_back(headingOf(block, level));
            ++perLevel[level];
        }
    if (headings.empty())
        return headings;
    int chapterLevel = perLevel.begin()->first;
    for (const auto& [level, count] : perLevel)
        if (count > 1) {
            chapterLevel = level;
            break;
        }
    std::erase_if(headings, [&](const Heading& heading) { return heading.level > chapterLevel; });
    return headings;
}

// A new paragraph starts after a blank line, a sentence's end, a heading or a title; a line of
// wrapped prose that happens to begin "Chapter 4" follows a line as long as itself.
bool startsParagraph(const QString& previousLine)
{
    const QString previous = previousLine.trimmed();
    return previous.size() <= LongestTitleLine ||
           QStringLiteral(".!?:。！？：…\"”’»)]").contains(previous.back()) ||
           namesChapter(previous);
}

std::vector<Heading> chapterLines(const std::vector<QTextBlock>& blocks, int from)
{
    std::vector<Heading> headings;
    QString previous;
    for (const QTextBlock& block : blocks) {
        const QString line = block.text();
        if (block.position() >= from && namesChapter(line) && startsParagraph(previous))
            headings.push_back(headingOf(block, 1));
        previous = line;
    }
    return headings;
}

// Only the blocks the range touches are read: a book has thousands.
bool holdsText(const std::vector<QTextBlock>& blocks, EditorRange range)
{
    auto block = std::upper_bound(
        blocks.begin(), blocks.end(), range.from,
        [](int position, const QTextBlock& later) { return position < later.position(); });
    if (block != blocks.begin())
        --block;
    for (; block != blocks.end() && block->position() < range.to; ++block) {
        const int from = std::max(range.from - block->position(), 0);
        const int to = std::min(range.to - block->position(), block->length() - 1);
        if (to > from && !block->text().mid(from, to - from).trimmed().isEmpty())
            return true;
    }
    return false;
}

// A heading with nothing under it before the next, as a part's title over its first chapter's or
// a line of a table of contents, starts the next one's chapter, which keeps the next one's title.
void mergeEmptyChapters(std::vector<Heading>& headings, const std::vector<QTextBlock>& blocks)
{
    for (std::size_t i = 0; i < headings.size(); ++i)
        while (i + 1 < headings.size() &&
               !holdsText(blocks, {headings[i].end, headings[i + 1].position})) {
            headings[i].end = headings[i + 1].end;
            headings[i].text = headings[i + 1].text;
            headings.erase(headings.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        }
}

} // namespace

bool namesChapter(const QString& line)
{
    static const QRegularExpression numbered(
        QStringLiteral("^(chapter|kapitel|chapitre|cap[ií]tulo|глава)\\s+([0-9]+|[ivxlcdm]+|"
                       "((twenty|thirty|forty|fifty|sixty|seventy|eighty|ninety)-?)?(one|two|"
                       "three|four|five|six|seven|eight|nine)|ten|eleven|twelve|thirteen|"
                       "fourteen|fifteen|sixteen|seventeen|eighteen|nineteen|twenty|thirty|"
                       "forty|fifty|sixty|seventy|eighty|ninety)\\b"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression chinese(QStringLiteral(
        "^第[0-9０-９零〇一二三四五六七八九十百千两]+[章回](?=$|[\\s　：:、，,.．。！!？?—-])"));
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty())
        return false;
    if (chinese.match(trimmed).hasMatch())
        return trimmed.size() <= LongestChineseChapterLine;
    return trimmed.size() <= LongestChapterLine && trimmed.front().isUpper() &&
           numbered.match(trimmed).hasMatch();
}

std::vector<Chapter> chaptersIn(const QTextDocument& document, EditorRange range)
{
    const std::vector<QTextBlock> blocks = blocksIn(document, range);
    std::vector<Heading> headings = markedHeadings(blocks, range.from);
    if (headings.size() < 2)
        if (std::vector<Heading> lines = chapterLines(blocks, range.from); !lines.empty())
            headings = std::move(lines);
    mergeEmptyChapters(headings, blocks);
    std::vector<Chapter> chapters;
    const int firstHeading = headings.empty() ? range.to : headings.front().position;
    if (headings.empty() || holdsText(blocks, {range.from, firstHeading}))
        chapters.push_back({QString(), {range.from, firstHeading}});
    for (std::size_t i = 0; i < headings.size(); ++i)
        chapters.push_back({headings[i].text,
                            {headings[i].position,
                             i + 1 < headings.size() ? headings[i + 1].position : range.to}});
    return chapters;
}

} // namespace speech
