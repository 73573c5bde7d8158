// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/rtf/RtfReader.h"

#include "formats/rtf/RtfTokenizer.h"
#include "formats/rtf/SymbolFont.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <QColor>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace formats {

namespace {

// Bounds that keep hostile input from exhausting the stack, the memory or the time.
constexpr std::size_t MaxDepth = 1000;
constexpr std::size_t MaxTableEntries = 10000;
constexpr qsizetype MaxFontNameLength = 256;
constexpr int MaxSkipCount = 64;
constexpr int DefaultHalfPoints = 24;
constexpr int MaxHalfPoints = 3276;
constexpr int DefaultCodePage = 1252;
// Windows' code page of the symbol character set: its bytes address the font's own characters.
constexpr int SymbolCodePage = 42;
constexpr char16_t Replacement = 0xFFFD;

// The code page of a font's character set; 0 stands for the document's, which the default
// character set and unknown ones take.
int charsetCodePage(int charset)
{
    static const std::map<int, int> codePages = {
        {0, 1252},   {2, SymbolCodePage}, {77, 10000}, {128, 932},  {129, 949},  {134, 936},
        {136, 950},  {161, 1253},         {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
        {186, 1257}, {204, 1251},         {222, 874},  {238, 1250}, {254, 437},  {255, 437}};
    const auto found = codePages.find(charset);
    return found == codePages.end() ? 0 : found->second;
}

// The names Qt's decoders know the code pages by; none for a code page it is not given.
const char* codecName(int codePage)
{
    static const std::map<int, const char*> names = {
        {437, "IBM437"},        {850, "IBM850"},        {874, "windows-874"},
        {932, "Shift_JIS"},     {936, "GBK"},           {949, "windows-949"},
        {950, "windows-950"},   {1250, "windows-1250"}, {1251, "windows-1251"},
        {1252, "windows-1252"}, {1253, "windows-1253"}, {1254, "windows-1254"},
        {1255, "windows-1255"}, {1256, "windows-1256"}, {1257, "windows-1257"},
        {1258, "windows-1258"}, {10000, "macintosh"},   {65001, "UTF-8"}};
    const auto found = names.find(codePage);
    return found == names.end() ? nullptr : found->second;
}

enum class Destination { Text, Footnote, FontTable, ColorTable, Skip };
enum class Alignment { None, Left, Center, Right, Justify };

struct CharProps {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int halfPoints = DefaultHalfPoints;
    int font = 0;
    int color = 0;

    auto operator<=>(const CharProps&) const = default;
};

struct Group {
    CharProps chars;
    Alignment alignment = Alignment::None;
    int skipCount = 1;
    Destination destination = Destination::Text;
    // In the text of a list item's number or bullet.
    bool listText = false;
};

struct Font {
    QString family;
    int codePage = 0;
    SymbolFont symbols;
};

// A footnote's text or paragraph end, kept to follow the document's text.
struct NotePiece {
    QString text = {};
    CharProps props = {};
    bool endsParagraph = false;
    Alignment alignment = Alignment::None;
};

struct Tables {
    std::unordered_map<int, Font> fonts;
    std::vector<std::optional<QColor>> colors;
};

// Appends text run by run, so a long stretch of equal format costs one insertion.
class DocumentBuilder {
public:
    DocumentBuilder(QTextDocument& document, const Tables& tables);
    ~DocumentBuilder();
    DocumentBuilder(const DocumentBuilder&) = delete;
    DocumentBuilder& operator=(const DocumentBuilder&) = delete;

    void append(QStringView text, const CharProps& props);
    void endParagraph(Alignment alignment);
    void breakParagraph(Alignment alignment);
    void finish(Alignment alignment);

private:
    void flushRun();
    void insertBlock();
    const QTextCharFormat& charFormat(const CharProps& props);

    QTextDocument& document_;
    const bool undoEnabled_;
    QTextCursor cursor_;
    const Tables& tables_;
    QString run_;
    CharProps runProps_;
    // Building a format is dearer than inserting text, and documents use few.
    std::map<CharProps, QTextCharFormat> formats_;
    QTextBlockFormat blockFormat_;
    Alignment blockAlignment_ = Alignment::None;
    // The last paragraph mark only ends the text, as in word processors, so its block waits for
    // text to follow.
    bool blockPending_ = false;
};

DocumentBuilder::DocumentBuilder(QTextDocument& document, const Tables& tables)
    : document_(document)
    , undoEnabled_(document.isUndoRedoEnabled())
    , cursor_(&document)
    , tables_(tables)
{
    document_.setUndoRedoEnabled(false);
    document_.clear();
    cursor_.beginEditBlock();
}

DocumentBuilder::~DocumentBuilder()
{
    cursor_.endEditBlock();
    document_.setUndoRedoEnabled(undoEnabled_);
}

// Characters with a meaning of their own inside a text document are replaced, not inserted.
QChar storable(QChar c)
{
    switch (c.unicode()) {
    case QChar::ParagraphSeparator:
        return QChar::LineSeparator;
    case QChar::ObjectReplacementCharacter:
    case 0xFDD0:
    case 0xFDD1:
        return QChar(Replacement);
    default:
        return c.unicode() < 0x20 && c != u'\t' ? QChar(QChar::Null) : c;
    }
}

void DocumentBuilder::append(QStringView text, const CharProps& props)
{
    if (blockPending_)
        insertBlock();
    if (props != runProps_) {
        flushRun();
        runProps_ = props;
    }
    for (const QChar c : text) {
        if (const QChar kept = storable(c); !kept.isNull())
            run_.append(kept);
    }
}

QTextBlockFormat blockFormat(Alignment alignment)
{
    QTextBlockFormat format;
    switch (alignment) {
    case Alignment::None:
        break;
    case Alignment::Left:
        format.setAlignment(Qt::AlignLeft);
        break;
    case Alignment::Center:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case Alignment::Right:
        format.setAlignment(Qt::AlignRight);
        break;
    case Alignment::Justify:
        format.setAlignment(Qt::AlignJustify);
        break;
    }
    return format;
}

void DocumentBuilder::endParagraph(Alignment alignment)
{
    if (blockPending_)
        insertBlock();
    finish(alignment);
    blockPending_ = true;
}

// A page, column or section break ends the paragraph it falls in; where one has just ended it
// adds no empty one, as Word writes \par before every \sect.
void DocumentBuilder::breakParagraph(Alignment alignment)
{
    if (!blockPending_ && (!run_.isEmpty() || cursor_.block().length() > 1))
        endParagraph(alignment);
}

void DocumentBuilder::finish(Alignment alignment)
{
    flushRun();
    if (blockPending_ || alignment == blockAlignment_)
        return;
    blockFormat_ = blockFormat(alignment);
    blockAlignment_ = alignment;
    cursor_.setBlockFormat(blockFormat_);
}

// A new block takes the format of the one before; it changes only when the alignment does.
void DocumentBuilder::insertBlock()
{
    cursor_.insertBlock(blockFormat_, charFormat(runProps_));
    blockPending_ = false;
}

void DocumentBuilder::flushRun()
{
    if (run_.isEmpty())
        return;
    cursor_.insertText(run_, charFormat(runProps_));
    run_.clear();
}

const QTextCharFormat& DocumentBuilder::charFormat(const CharProps& props)
{
    constexpr std::size_t MaxFormats = 256;
    if (const auto found = formats_.find(props); found != formats_.end())
        return found->second;
    if (formats_.size() >= MaxFormats)
        formats_.clear();
    QTextCharFormat& format = formats_[props];
    format.setFontWeight(props.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(props.italic);
    format.setFontUnderline(props.underline);
    format.setFontStrikeOut(props.strike);
    format.setFontPointSize(props.halfPoints / 2.0);
    if (const auto font = tables_.fonts.find(props.font);
        font != tables_.fonts.end() && !font->second.family.isEmpty())
        format.setFontFamilies({font->second.family});
    if (props.color >= 0 && static_cast<std::size_t>(props.color) < tables_.colors.size() &&
        tables_.colors[props.color])
        format.setForeground(*tables_.colors[props.color]);
    return format;
}

class Parser {
public:
    Parser(const QByteArray& rtf, QTextDocument& document);

    void run();

    // What control words do.
    CharProps& chars() { return groups_.back().chars; }
    void setAlignment(Alignment alignment) { groups_.back().alignment = alignment; }
    void setSkipCount(int count) { groups_.back().skipCount = std::clamp(count, 0, MaxSkipCount); }
    void setDestination(Destination destination);
    void setDocumentCodePage(int codePage) { documentCodePage_ = codePage; }
    void setDefaultFont(int number);
    void setFont(int number);
    void setFontCharset(int charset) { fontCharsetCodePage_ = charsetCodePage(charset); }
    void setFontCodePage(int codePage) { fontCodePage_ = codePage; }
    void setColorComponent(int component, int value);
    void startListText() { groups_.back().listText = true; }
    void startFootnote();
    void footnoteNumber();
    void plain();
    void paragraph();
    void pageBreak();
    void emitChar(char16_t c) { emitText(QStringView(&c, 1)); }
    void unicode(int value);

private:
    void handle(RtfToken token);
    bool skipsFallback(RtfToken& token);
    void startGroup();
    void endGroup();
    Destination currentDestination() const;
    void word(const RtfToken& token);
    void symbol(char c);
    void addBytes(std::string_view bytes);
    void flushBytes();
    int codePage() const;
    int definedFontCodePage() const;
    QStringDecoder& decoder(int codePage);
    QString symbolText(const QByteArray& bytes) const;
    char32_t symbolCharacter(char32_t code) const;
    void emitText(QStringView text);
    void resolveSurrogate();
    void deliver(QStringView text);
    void addNoteText(QStringView text);
    void endNoteParagraph(Alignment alignment);
    void appendNotes(Alignment alignment);
    void addToFontName(QStringView text);
    void commitFont();
    void commitColor();

    RtfTokenizer tokenizer_;
    Tables tables_;
    DocumentBuilder builder_;
    std::vector<Group> groups_;
    // Groups opened beyond the depth limit are counted, so their ends pair up, and their text
    // goes to the deepest group kept. Their formatting changes last until that group ends, which
    // hostile nesting may cost; a destination they skip is skipped only until they end.
    std::size_t overflow_ = 0;
    // The overflow depth at which a skipped destination started; 0 while none is.
    std::size_t overflowSkip_ = 0;
    // Characters left to skip as the fallback of a \u.
    int skip_ = 0;
    // Text bytes wait here until something else comes, so both bytes of a double-byte character
    // are decoded together.
    QByteArray bytes_;
    char16_t highSurrogate_ = 0;
    // A \* came: unless the next control word is one the reader knows, the group is skipped.
    bool ignorable_ = false;
    int footnotes_ = 0;
    std::vector<NotePiece> notes_;
    int documentCodePage_ = DefaultCodePage;
    int defaultFont_ = 0;
    std::optional<int> fontNumber_;
    int fontCharsetCodePage_ = 0;
    // A \cpg is above the character set.
    int fontCodePage_ = 0;
    QString fontName_;
    int color_[3] = {0, 0, 0};
    bool colorSet_ = false;
    std::map<int, QStringDecoder> decoders_;
    bool finished_ = false;
};

using Apply = void (*)(Parser&, const RtfToken&);

struct WordAction {
    std::string_view name;
    Apply apply;
};

void skipGroup(Parser& parser, const RtfToken&)
{
    parser.setDestination(Destination::Skip);
}

void underline(Parser& parser, const RtfToken& word)
{
    parser.chars().underline = word.on();
}

void paragraph(Parser& parser, const RtfToken&)
{
    parser.paragraph();
}

void tab(Parser& parser, const RtfToken&)
{
    parser.emitChar(u'\t');
}

template <char16_t c> void character(Parser& parser, const RtfToken&)
{
    parser.emitChar(c);
}

template <int codePage> void characterSet(Parser& parser, const RtfToken&)
{
    parser.setDocumentCodePage(codePage);
}

template <Alignment alignment> void align(Parser& parser, const RtfToken&)
{
    parser.setAlignment(alignment);
}

// Sorted by name for a binary search.
constexpr WordAction WordActions[] = {
    {"aftncn", skipGroup},
    {"aftnsep", skipGroup},
    {"aftnsepc", skipGroup},
    {"annotation", skipGroup},
    {"ansi", characterSet<1252>},
    {"ansicpg", [](Parser& p, const RtfToken& w) { p.setDocumentCodePage(w.param); }},
    {"b", [](Parser& p, const RtfToken& w) { p.chars().bold = w.on(); }},
    {"blue", [](Parser& p, const RtfToken& w) { p.setColorComponent(2, w.param); }},
    {"bullet", character<u'\u2022'>},
    {"cell", tab},
    {"cf", [](Parser& p, const RtfToken& w) { p.chars().color = w.param; }},
    {"chftn", [](Parser& p, const RtfToken&) { p.footnoteNumber(); }},
    {"colortbl", [](Parser& p, const RtfToken&) { p.setDestination(Destination::ColorTable); }},
    {"column", [](Parser& p, const RtfToken&) { p.pageBreak(); }},
    {"cpg", [](Parser& p, const RtfToken& w) { p.setFontCodePage(w.param); }},
    {"deff", [](Parser& p, const RtfToken& w) { p.setDefaultFont(w.param); }},
    {"do", skipGroup},
    {"emdash", character<u'\u2014'>},
    {"emspace", character<u'\u2003'>},
    {"endash", character<u'\u2013'>},
    {"enspace", character<u'\u2002'>},
    {"f", [](Parser& p, const RtfToken& w) { p.setFont(w.param); }},
    {"fcharset", [](Parser& p, const RtfToken& w) { p.setFontCharset(w.param); }},
    {"filetbl", skipGroup},
    {"fldinst", skipGroup},
    {"fonttbl", [](Parser& p, const RtfToken&) { p.setDestination(Destination::FontTable); }},
    {"footer", skipGroup},
    {"footerf", skipGroup},
    {"footerl", skipGroup},
    {"footerr", skipGroup},
    {"footnote", [](Parser& p, const RtfToken&) { p.startFootnote(); }},
    {"fs",
     [](Parser& p, const RtfToken& w) {
         p.chars().halfPoints = w.param > 0 ? std::min(w.param, MaxHalfPoints) : DefaultHalfPoints;
     }},
    {"ftncn", skipGroup},
    {"ftnsep", skipGroup},
    {"ftnsepc", skipGroup},
    {"green", [](Parser& p, const RtfToken& w) { p.setColorComponent(1, w.param); }},
    {"header", skipGroup},
    {"headerf", skipGroup},
    {"headerl", skipGroup},
    {"headerr", skipGroup},
    {"i", [](Parser& p, const RtfToken& w) { p.chars().italic = w.on(); }},
    {"info", skipGroup},
    {"latentstyles", skipGroup},
    {"ldblquote", character<u'\u201C'>},
    {"line", character<u'\u2028'>},
    {"listoverridetable", skipGroup},
    {"listtable", skipGroup},
    {"listtext", [](Parser& p, const RtfToken&) { p.startListText(); }},
    {"lquote", character<u'\u2018'>},
    {"ltrmark", character<u'\u200E'>},
    {"mac", characterSet<10000>},
    {"nonshppict", skipGroup},
    {"object", skipGroup},
    {"page", [](Parser& p, const RtfToken&) { p.pageBreak(); }},
    {"par", paragraph},
    {"pard", [](Parser& p, const RtfToken&) { p.setAlignment(Alignment::None); }},
    {"pc", characterSet<437>},
    {"pca", characterSet<850>},
    {"pict", skipGroup},
    {"plain", [](Parser& p, const RtfToken&) { p.plain(); }},
    {"pn", skipGroup},
    {"pntext", [](Parser& p, const RtfToken&) { p.startListText(); }},
    {"qc", align<Alignment::Center>},
    {"qj", align<Alignment::Justify>},
    {"ql", align<Alignment::Left>},
    {"qmspace", character<u'\u2005'>},
    {"qr", align<Alignment::Right>},
    {"rdblquote", character<u'\u201D'>},
    {"red", [](Parser& p, const RtfToken& w) { p.setColorComponent(0, w.param); }},
    {"revtbl", skipGroup},
    {"row", paragraph},
    {"rquote", character<u'\u2019'>},
    {"rsidtbl", skipGroup},
    {"rtlmark", character<u'\u200F'>},
    {"rxe", skipGroup},
    {"sect", [](Parser& p, const RtfToken&) { p.pageBreak(); }},
    {"strike", [](Parser& p, const RtfToken& w) { p.chars().strike = w.on(); }},
    {"striked", [](Parser& p, const RtfToken& w) { p.chars().strike = w.on(); }},
    {"stylesheet", skipGroup},
    {"tab", tab},
    {"tc", skipGroup},
    {"txe", skipGroup},
    {"u", [](Parser& p, const RtfToken& w) { p.unicode(w.param); }},
    {"uc", [](Parser& p, const RtfToken& w) { p.setSkipCount(w.param); }},
    {"ul", underline},
    {"uld", underline},
    {"uldash", underline},
    {"uldashd", underline},
    {"uldashdd", underline},
    {"uldb", underline},
    {"ulhwave", underline},
    {"ulldash", underline},
    {"ulnone", [](Parser& p, const RtfToken&) { p.chars().underline = false; }},
    {"ulth", underline},
    {"ulthd", underline},
    {"ulthdash", underline},
    {"ulthdashd", underline},
    {"ulthdashdd", underline},
    {"ulthldash", underline},
    {"ululdbwave", underline},
    {"ulw", underline},
    {"ulwave", underline},
    {"v", [](Parser& p, const RtfToken& w) { p.chars().hidden = w.on(); }},
    {"xe", skipGroup},
    {"zwj", character<u'\u200D'>},
    {"zwnj", character<u'\u200C'>},
};

static_assert(std::ranges::is_sorted(WordActions, {}, &WordAction::name));

const WordAction* findWord(std::string_view name)
{
    const auto found = std::ranges::lower_bound(WordActions, name, {}, &WordAction::name);
    return found != std::end(WordActions) && found->name == name ? found : nullptr;
}

Parser::Parser(const QByteArray& rtf, QTextDocument& document)
    : tokenizer_(std::string_view(rtf.constData(), static_cast<std::size_t>(rtf.size())))
    , builder_(document, tables_)
{
}

void Parser::run()
{
    for (RtfToken token = tokenizer_.next(); token.type != RtfToken::Type::End && !finished_;
         token = tokenizer_.next())
        handle(token);
    flushBytes();
    resolveSurrogate();
    const Alignment alignment = groups_.empty() ? Alignment::None : groups_.back().alignment;
    appendNotes(alignment);
    builder_.finish(alignment);
}

void Parser::handle(RtfToken token)
{
    if (skip_ > 0 && skipsFallback(token))
        return;
    if (ignorable_ && token.type != RtfToken::Type::Word) {
        ignorable_ = false;
        setDestination(Destination::Skip);
    }
    switch (token.type) {
    case RtfToken::Type::Text:
        return addBytes(token.name);
    case RtfToken::Type::Byte: {
        const char byte = static_cast<char>(token.param);
        return addBytes(std::string_view(&byte, 1));
    }
    case RtfToken::Type::End:
    case RtfToken::Type::Binary:
        return;
    default:
        break;
    }
    flushBytes();
    if (token.type == RtfToken::Type::GroupStart)
        startGroup();
    else if (token.type == RtfToken::Type::GroupEnd)
        endGroup();
    else if (token.type == RtfToken::Type::Word)
        word(token);
    else
        symbol(token.symbol);
}

// Whether the token is part of the fallback of a \u; a text is shortened by what it gives.
bool Parser::skipsFallback(RtfToken& token)
{
    switch (token.type) {
    case RtfToken::Type::GroupStart:
    case RtfToken::Type::GroupEnd:
        skip_ = 0;
        return false;
    case RtfToken::Type::Text: {
        const std::size_t skipped = std::min(static_cast<std::size_t>(skip_), token.name.size());
        skip_ -= static_cast<int>(skipped);
        token.name.remove_prefix(skipped);
        return token.name.empty();
    }
    default:
        --skip_;
        return true;
    }
}

void Parser::startGroup()
{
    if (groups_.empty()) {
        groups_.emplace_back();
    } else if (groups_.size() >= MaxDepth) {
        ++overflow_;
    } else {
        const Group copy = groups_.back();
        groups_.push_back(copy);
    }
}

void Parser::endGroup()
{
    if (overflow_ > 0) {
        if (overflow_ == overflowSkip_)
            overflowSkip_ = 0;
        --overflow_;
        return;
    }
    const Group& group = groups_.back();
    if (group.destination == Destination::FontTable)
        commitFont();
    if (groups_.size() == 1) {
        finished_ = true;
        return;
    }
    if (group.destination == Destination::Footnote &&
        groups_[groups_.size() - 2].destination != Destination::Footnote)
        endNoteParagraph(group.alignment);
    groups_.pop_back();
}

Destination Parser::currentDestination() const
{
    return overflowSkip_ > 0 ? Destination::Skip : groups_.back().destination;
}

void Parser::word(const RtfToken& token)
{
    const bool ignorable = std::exchange(ignorable_, false);
    if (currentDestination() == Destination::Skip)
        return;
    if (const WordAction* action = findWord(token.name))
        action->apply(*this, token);
    else if (ignorable)
        setDestination(Destination::Skip);
}

void Parser::symbol(char c)
{
    switch (c) {
    case '~':
        return emitChar(QChar::Nbsp);
    case '-':
        return emitChar(QChar::SoftHyphen);
    case '_':
        return emitChar(u'\u2011');
    case '*':
        ignorable_ = true;
        return;
    case '\r':
    case '\n':
        return paragraph();
    default:
        return;
    }
}

// Past the depth limit only a skip takes effect: other destinations would outlast their group.
void Parser::setDestination(Destination destination)
{
    if (currentDestination() == Destination::Skip)
        return;
    if (overflow_ > 0) {
        if (destination == Destination::Skip)
            overflowSkip_ = overflow_;
        return;
    }
    groups_.back().destination = destination;
    if (destination == Destination::FontTable)
        fontNumber_.reset();
}

void Parser::setDefaultFont(int number)
{
    defaultFont_ = number;
    chars().font = number;
}

void Parser::setFont(int number)
{
    if (currentDestination() != Destination::FontTable) {
        chars().font = number;
        return;
    }
    fontNumber_ = number;
    fontCharsetCodePage_ = 0;
    fontCodePage_ = 0;
    fontName_.clear();
}

void Parser::setColorComponent(int component, int value)
{
    if (currentDestination() != Destination::ColorTable)
        return;
    color_[component] = std::clamp(value, 0, 255);
    colorSet_ = true;
}

// A note within a note stays in its text.
void Parser::startFootnote()
{
    if (currentDestination() != Destination::Text)
        return;
    ++footnotes_;
    setDestination(Destination::Footnote);
}

// The number of the footnote that follows, or of the footnote it is in.
void Parser::footnoteNumber()
{
    const bool inFootnote = currentDestination() == Destination::Footnote;
    emitText(QString::number(inFootnote ? footnotes_ : footnotes_ + 1));
}

void Parser::plain()
{
    chars() = CharProps{};
    chars().font = defaultFont_;
}

void Parser::paragraph()
{
    const Destination destination = currentDestination();
    if (destination != Destination::Text && destination != Destination::Footnote)
        return;
    resolveSurrogate();
    const Alignment alignment = groups_.back().alignment;
    if (destination == Destination::Text)
        builder_.endParagraph(alignment);
    else
        endNoteParagraph(alignment);
}

void Parser::pageBreak()
{
    if (currentDestination() != Destination::Text)
        return;
    resolveSurrogate();
    builder_.breakParagraph(groups_.back().alignment);
}

void Parser::unicode(int value)
{
    skip_ = groups_.back().skipCount;
    const std::int64_t code = value < 0 ? std::int64_t(value) + 65536 : value;
    if (code >= 0xD800 && code <= 0xDBFF) {
        resolveSurrogate();
        highSurrogate_ = static_cast<char16_t>(code);
        return;
    }
    if (code >= 0xDC00 && code <= 0xDFFF && highSurrogate_ != 0) {
        const char16_t pair[] = {highSurrogate_, static_cast<char16_t>(code)};
        highSurrogate_ = 0;
        return deliver(QStringView(pair, 2));
    }
    if (code < 0 || code > 0x10FFFF || (code >= 0xDC00 && code <= 0xDFFF))
        return emitChar(Replacement);
    const auto text = QChar::fromUcs4(symbolCharacter(static_cast<char32_t>(code)));
    emitText(text);
}

void Parser::addBytes(std::string_view bytes)
{
    if (currentDestination() != Destination::Skip)
        bytes_.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void Parser::flushBytes()
{
    if (bytes_.isEmpty())
        return;
    const int page = codePage();
    const bool ascii = std::ranges::all_of(bytes_, [](char c) { return c >= 0; });
    const QString text = page == SymbolCodePage ? symbolText(bytes_)
                         : ascii                ? QString::fromLatin1(bytes_)
                                                : decoder(page).decode(bytes_);
    bytes_.clear();
    emitText(text);
}

// The font's code page wins over the document's; a font's name is in the document's when the
// font is a symbol font.
int Parser::codePage() const
{
    const Group& group = groups_.back();
    if (group.destination == Destination::FontTable) {
        const int page = definedFontCodePage();
        return page != 0 && page != SymbolCodePage ? page : documentCodePage_;
    }
    const auto font = tables_.fonts.find(group.chars.font);
    return font != tables_.fonts.end() && font->second.codePage != 0 ? font->second.codePage
                                                                     : documentCodePage_;
}

int Parser::definedFontCodePage() const
{
    return codecName(fontCodePage_) ? fontCodePage_ : fontCharsetCodePage_;
}

QStringDecoder& Parser::decoder(int codePage)
{
    const char* name = codecName(codePage);
    const int known = name ? codePage : DefaultCodePage;
    auto found = decoders_.find(known);
    if (found == decoders_.end()) {
        QStringDecoder decoder(name ? name : codecName(DefaultCodePage),
                               QStringDecoder::Flag::Stateless);
        if (!decoder.isValid())
            decoder = QStringDecoder(codecName(DefaultCodePage), QStringDecoder::Flag::Stateless);
        found = decoders_.emplace(known, std::move(decoder)).first;
    }
    return found->second;
}

// Blanks and control characters are the same in every font.
QString Parser::symbolText(const QByteArray& bytes) const
{
    QString text;
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        text.append(QChar::fromUcs4(code <= u' ' ? code : symbolCharacter(0xF000 + code)));
    }
    return text;
}

// What a symbol font shows at the code point. The bullets of lists often come without their
// font, which only the list table names.
char32_t Parser::symbolCharacter(char32_t code) const
{
    const Group& group = groups_.back();
    const auto font = tables_.fonts.find(group.chars.font);
    if (font != tables_.fonts.end() && font->second.symbols.isKnown())
        return font->second.symbols.character(code);
    return group.listText ? SymbolFont::bullets().character(code) : code;
}

void Parser::emitText(QStringView text)
{
    resolveSurrogate();
    deliver(text);
}

// A high surrogate not followed by a low one stands for nothing readable.
void Parser::resolveSurrogate()
{
    if (highSurrogate_ == 0)
        return;
    highSurrogate_ = 0;
    const char16_t replacement = Replacement;
    deliver(QStringView(&replacement, 1));
}

void Parser::deliver(QStringView text)
{
    switch (currentDestination()) {
    case Destination::Text:
        if (!chars().hidden)
            builder_.append(text, chars());
        break;
    case Destination::Footnote:
        if (!chars().hidden)
            addNoteText(text);
        break;
    case Destination::FontTable:
        addToFontName(text);
        break;
    case Destination::ColorTable:
        for (qsizetype i = text.count(u';'); i > 0; --i)
            commitColor();
        break;
    case Destination::Skip:
        break;
    }
}

void Parser::addNoteText(QStringView text)
{
    if (notes_.empty() || notes_.back().endsParagraph || notes_.back().props != chars())
        notes_.push_back({.props = chars()});
    notes_.back().text.append(text);
}

void Parser::endNoteParagraph(Alignment alignment)
{
    if (!notes_.empty() && !notes_.back().endsParagraph)
        notes_.push_back({.endsParagraph = true, .alignment = alignment});
}

// Footnotes follow the text, each in paragraphs of its own, so reading is not broken off
// in mid-sentence and no note is lost.
void Parser::appendNotes(Alignment alignment)
{
    if (notes_.empty())
        return;
    builder_.breakParagraph(alignment);
    for (const NotePiece& piece : notes_) {
        if (piece.endsParagraph)
            builder_.endParagraph(piece.alignment);
        else
            builder_.append(piece.text, piece.props);
    }
}

void Parser::addToFontName(QStringView text)
{
    for (const QChar c : text) {
        if (c == u';')
            commitFont();
        else if (fontName_.size() < MaxFontNameLength)
            fontName_.append(c);
    }
}

void Parser::commitFont()
{
    if (fontNumber_ &&
        (tables_.fonts.size() < MaxTableEntries || tables_.fonts.contains(*fontNumber_))) {
        const QString family = fontName_.trimmed();
        tables_.fonts[*fontNumber_] =
            Font{family, definedFontCodePage(), SymbolFont::named(family)};
    }
    fontNumber_.reset();
    fontName_.clear();
}

void Parser::commitColor()
{
    if (tables_.colors.size() < MaxTableEntries)
        tables_.colors.push_back(colorSet_ ? std::optional(QColor(color_[0], color_[1], color_[2]))
                                           : std::nullopt);
    color_[0] = color_[1] = color_[2] = 0;
    colorSet_ = false;
}

} // namespace

bool RtfReader::looksLikeRtf(const QByteArray& bytes)
{
    return bytes.startsWith("{\\rtf");
}

void RtfReader::read(const QByteArray& rtf, QTextDocument& document)
{
    // "{\rtf1" and "{\rtf\ansi" are RTF; "{\rtfx" starts another control word.
    constexpr qsizetype HeaderLength = 5;
    if (!looksLikeRtf(rtf) ||
        (rtf.size() > HeaderLength && RtfTokenizer::isLetter(rtf[HeaderLength])))
        throw std::runtime_error("Failed to Load Stream");
    Parser(rtf, document).run();
}

} // namespace formats
