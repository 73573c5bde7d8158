// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/WordHighlight.h"

#include <algorithm>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextEdit>

namespace speech {

namespace {

// Longer runs of letters are marked in part; the cost of finding a word stays bounded.
constexpr int LongestWord = 64;
// The editor repaints a paragraph whole, at a cost that grows with its length: about 5 ms at
// 300,000 characters and a tenth of a second at a million. Words of longer paragraphs go unmarked
// rather than take the window's thread, which also feeds the sound.
constexpr int LongestMarkedParagraph = 200'000;
// A word brought into view gets this part of the view before it, for context.
constexpr int ContextPart = 5;

const QColor Amber(255, 214, 64);
const QColor SkyBlue(150, 205, 255);

// Amber, unless the editor's background is so near it that the mark would not show.
QColor markColour(const QColor& background)
{
    const int hueDistance = std::abs(background.hslHue() - Amber.hslHue());
    const bool amberLike = background.hslHue() >= 0 &&
                           std::min(hueDistance, 360 - hueDistance) < 30 &&
                           background.hslSaturation() > 100 && background.lightness() > 120;
    return amberLike ? SkyBlue : Amber;
}

QTextCursor cursorAt(QTextDocument& document, int position)
{
    QTextCursor cursor(&document);
    cursor.setPosition(std::clamp(position, 0, document.characterCount() - 1));
    return cursor;
}

// Blanks, and what the engine is given as blanks or as a replacement character and passes over.
bool isUnspoken(const QString& text, qsizetype at)
{
    const QChar c = text.at(at);
    const bool paired = c.isHighSurrogate()
                            ? at + 1 < text.size() && text.at(at + 1).isLowSurrogate()
                            : at > 0 && text.at(at - 1).isHighSurrogate();
    return c.isSpace() || c.category() == QChar::Other_Control ||
           c == QChar::ReplacementCharacter || (c.isSurrogate() && !paired);
}

bool isEmpty(const EditorRange& range)
{
    return range.to <= range.from;
}

} // namespace

WordHighlight::WordHighlight(QTextEdit& editor, std::chrono::milliseconds userScrollRespected)
    : editor_(editor)
    , userScrollRespected_(userScrollRespected)
{
    for (QScrollBar* bar : {editor_.verticalScrollBar(), editor_.horizontalScrollBar()})
        QObject::connect(bar, &QScrollBar::valueChanged, &connections_, [this] {
            if (!scrolling_)
                userScrolled_.start();
        });
}

WordHighlight::~WordHighlight()
{
    clear();
}

void WordHighlight::follow(long stream, EditorRange range, std::shared_ptr<const QString> read)
{
    Q_ASSERT(read);
    clear();
    stream_ = stream;
    range_ = range;
    read_ = std::move(read);
    // Reading aloud asks to see what is read, whatever was looked at before.
    userScrolled_.invalidate();
    documentWatch_ = QObject::connect(editor_.document(), &QTextDocument::contentsChange,
                                      &connections_, [this](int position, int removed, int added) {
                                          contentsChanged(position, removed, added);
                                      });
}

std::optional<int> WordHighlight::wordHeard(const WordEvent& event)
{
    if (stream_ == 0 || event.streamNumber != stream_ || event.characterPosition < 0 ||
        event.characterPosition >= range_.to - range_.from)
        return std::nullopt;
    const int position = range_.from + static_cast<int>(event.characterPosition);
    // The engine reports parts of some words, such as numbers, as words of their own.
    if (position >= marked_.from && position < marked_.to)
        return marked_.from;
    if (editor_.document()->findBlock(position).length() > LongestMarkedParagraph)
        unmark();
    else if (const EditorRange word = wordAt(position); !isEmpty(word))
        mark(word);
    return position;
}

std::optional<EditorRange> WordHighlight::followed() const
{
    return stream_ != 0 ? std::optional(range_) : std::nullopt;
}

void WordHighlight::streamEnded(long stream)
{
    if (stream_ != 0 && stream == stream_)
        clear();
}

void WordHighlight::clear()
{
    stream_ = 0;
    read_.reset();
    QObject::disconnect(documentWatch_);
    unmark();
}

void WordHighlight::unmark()
{
    if (!isEmpty(marked_)) {
        marked_ = {};
        editor_.setExtraSelections({});
    }
}

// A change of format leaves every word where it was; any other change within the text being read
// would have the marks land on other words.
void WordHighlight::contentsChanged(int position, int removed, int added)
{
    if (stream_ == 0 || position >= range_.to)
        return;
    if (removed != added || readTextChanged(position, added))
        clear();
}

bool WordHighlight::readTextChanged(int position, int length) const
{
    const int from = std::max(position, range_.from);
    const int to =
        std::min({position + length, range_.to, range_.from + static_cast<int>(read_->size())});
    if (from >= to)
        return false;
    return textOf(*editor_.document(), {from, to}) != read_->mid(from - range_.from, to - from);
}

// The word as Unicode tells words apart: a Chinese character on its own, "don't" and "3.5" whole.
// The engine may place a word on what it leaves unspoken before it, such as a replacement
// character; the mark goes on to the word.
EditorRange WordHighlight::wordAt(int position) const
{
    const QString text =
        textOf(*editor_.document(), {position, std::min(position + LongestWord, range_.to)});
    qsizetype start = 0;
    while (start < text.size() && isUnspoken(text, start))
        ++start;
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    words.setPosition(start);
    const qsizetype end = words.toNextBoundary();
    return {position + static_cast<int>(start),
            position + static_cast<int>(end > start ? end : text.size())};
}

void WordHighlight::mark(EditorRange word)
{
    marked_ = word;
    QTextEdit::ExtraSelection selection;
    selection.cursor = cursorAt(*editor_.document(), word.from);
    selection.cursor.setPosition(word.to, QTextCursor::KeepAnchor);
    selection.format.setBackground(markColour(editor_.palette().color(QPalette::Base)));
    selection.format.setForeground(QColor(Qt::black));
    editor_.setExtraSelections({selection});
    keepInView(word);
}

// Away from the view, the word is brought back with some of the text before it.
void WordHighlight::keepInView(EditorRange word)
{
    if (userScrolled_.isValid() && userScrolled_.elapsed() < userScrollRespected_.count())
        return;
    const QRect shown = shownRect(word);
    const QRect view = editor_.viewport()->rect();
    const auto moveFor = [](int start, int end, int viewStart, int viewEnd, int viewLength) {
        return start < viewStart || end > viewEnd ? start - viewLength / ContextPart : 0;
    };
    const int dx = moveFor(shown.left(), shown.right(), view.left(), view.right(), view.width());
    const int dy = moveFor(shown.top(), shown.bottom(), view.top(), view.bottom(), view.height());
    if (dx != 0 || dy != 0)
        scrollBy(dx, dy);
}

// A word wrapped at its end would stretch over two lines; its first one is what counts.
QRect WordHighlight::shownRect(EditorRange word) const
{
    QTextDocument& document = *editor_.document();
    const QRect start = editor_.cursorRect(cursorAt(document, word.from));
    const QRect end = editor_.cursorRect(cursorAt(document, word.to));
    return end.top() == start.top() ? start.united(end) : start;
}

void WordHighlight::scrollBy(int dx, int dy)
{
    const QScopedValueRollback ours(scrolling_, true);
    QScrollBar& horizontal = *editor_.horizontalScrollBar();
    QScrollBar& vertical = *editor_.verticalScrollBar();
    horizontal.setValue(horizontal.value() + dx);
    vertical.setValue(vertical.value() + dy);
}

DeferredText sharingWhatIsTaken(DeferredText text, const std::shared_ptr<QString>& taken)
{
    *taken = text.beginning;
    if (text.whole)
        text.whole = [whole = std::move(text.whole), taken] { return *taken = whole(); };
    return text;
}

} // namespace speech
