// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/Chapters.h"

#include <map>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

namespace speech {

namespace {

// A heading is a line of its own, never a sentence of a paragraph.
constexpr qsizetype LongestChapterLine = 80;

struct Heading {
    int position = 0;
    int level = 0;
    QString text;
};

std::vector<QTextBlock> blocksIn(const QTextDocument& document, EditorRange range)
{
    std::vector<QTextBlock> blocks;
    for (QTextBlock block = document.findBlock(range.from);
         block.isValid() && block.position() < range.to; block = block.next())
        blocks.push_back(block);
    return blocks;
}

std::vector<Heading> markedHeadings(const std::vector<QTextBlock>& blocks)
{
    std::vector<Heading> headings;
    std::map<int, int> perLevel;
    for (const QTextBlock& block : blocks)
        if (const int level = block.blockFormat().headingLevel();
            level > 0 && !block.text().trimmed().isEmpty()) {
            headings.push_back({block.position(), level, block.text().simplified()});
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

std::vector<Heading> chapterLines(const std::vector<QTextBlock>& blocks)
{
    std::vector<Heading> headings;
    for (const QTextBlock& block : blocks)
        if (namesChapter(block.text()))
            headings.push_back({block.position(), 1, block.text().simplified()});
    return headings;
}

bool holdsText(const std::vector<QTextBlock>& blocks, EditorRange range)
{
    for (const QTextBlock& block : blocks) {
        const int from = std::max(range.from - block.position(), 0);
        const int to = std::min(range.to - block.position(), block.length() - 1);
        if (to > from && !block.text().mid(from, to - from).trimmed().isEmpty())
            return true;
    }
    return false;
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
    static const QRegularExpression chinese(
        QStringLiteral("^第[0-9０-９零〇一二三四五六七八九十百千两]+[章回]"));
    const QString trimmed = line.trimmed();
    return trimmed.size() <= LongestChapterLine &&
           (numbered.match(trimmed).hasMatch() || chinese.match(trimmed).hasMatch());
}

std::vector<Chapter> chaptersIn(const QTextDocument& document, EditorRange range)
{
    const std::vector<QTextBlock> blocks = blocksIn(document, range);
    std::vector<Heading> headings = markedHeadings(blocks);
    if (headings.empty())
        headings = chapterLines(blocks);
    std::erase_if(headings, [&](const Heading& heading) { return heading.position < range.from; });
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
