// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/Sentences.h"

#include <QList>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>

namespace speech {

namespace {

QList<int> sentenceStarts(const QTextBlock& block)
{
    const QString text = block.text();
    QList<int> starts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Sentence, text);
    for (qsizetype at = 0; at >= 0 && at < text.size(); at = finder.toNextBoundary())
        starts.append(block.position() + static_cast<int>(at));
    return starts;
}

} // namespace

int nextSentenceStart(const QTextDocument& document, int position)
{
    QTextBlock block = document.findBlock(position);
    for (const int start : sentenceStarts(block))
        if (start > position)
            return start;
    for (block = block.next(); block.isValid(); block = block.next())
        if (const QList<int> starts = sentenceStarts(block); !starts.isEmpty())
            return starts.front();
    return -1;
}

int previousSentenceStart(const QTextDocument& document, int position)
{
    QTextBlock block = document.findBlock(position);
    QList<int> starts = sentenceStarts(block);
    while (!starts.isEmpty() && starts.back() > position)
        starts.removeLast();
    if (starts.size() >= 2)
        return starts[starts.size() - 2];
    for (QTextBlock earlier = block.previous(); earlier.isValid(); earlier = earlier.previous())
        if (const QList<int> before = sentenceStarts(earlier); !before.isEmpty())
            return before.back();
    return starts.isEmpty() ? position : starts.front();
}

} // namespace speech
