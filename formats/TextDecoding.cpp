// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/TextDecoding.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <QStringDecoder>
#include <uchardet.h>
#include <utility>

namespace formats {

namespace {

// Enough for uchardet to decide, and little enough to keep a file of many megabytes quick.
constexpr qsizetype DetectionSampleSize = 64 * 1024;
const QByteArray ChineseCodePage = "GB18030";
const QByteArray WesternCodePage = "windows-1252";
const QByteArray Utf8 = "UTF-8";

bool isAboveAscii(char byte)
{
    return static_cast<unsigned char>(byte) >= 0x80;
}

QString decodeUtf16(const QByteArray& units, QStringDecoder::Encoding encoding)
{
    if (units.size() < 2)
        return {};
    return QStringDecoder(encoding).decode(units);
}

// Around the first byte above ASCII: a long stretch of ASCII before it tells nothing about the
// code page, though the words next to it help.
QByteArrayView detectionSample(const QByteArray& bytes)
{
    const qsizetype firstAboveAscii =
        std::find_if(bytes.begin(), bytes.end(), isAboveAscii) - bytes.begin();
    const qsizetype start = std::max<qsizetype>(0, firstAboveAscii - DetectionSampleSize / 2);
    return QByteArrayView(bytes).sliced(start, std::min(DetectionSampleSize, bytes.size() - start));
}

QByteArray guessOfUchardet(QByteArrayView sample)
{
    const std::unique_ptr<uchardet, decltype(&uchardet_delete)> detector(uchardet_new(),
                                                                         uchardet_delete);
    uchardet_handle_data(detector.get(), sample.data(), static_cast<size_t>(sample.size()));
    uchardet_data_end(detector.get());
    return uchardet_get_charset(detector.get());
}

// Windows users write in their ANSI code page; for short texts uchardet often names an ISO, DOS
// or Mac code page of the same script instead, and ICU calls the Korean one by its Windows name.
QByteArray ansiCodePageOf(const QByteArray& guess)
{
    static const std::pair<const char*, const char*> ansiCodePages[] = {
        {"ISO-8859-1", "windows-1252"},  {"ISO-8859-3", "windows-1252"},
        {"ISO-8859-10", "windows-1252"}, {"ISO-8859-15", "windows-1252"},
        {"ISO-8859-2", "windows-1250"},  {"ISO-8859-16", "windows-1250"},
        {"IBM852", "windows-1250"},      {"MAC-CENTRALEUROPE", "windows-1250"},
        {"ISO-8859-7", "windows-1253"},  {"ISO-8859-9", "windows-1254"},
        {"ISO-8859-8", "windows-1255"},  {"ISO-8859-6", "windows-1256"},
        {"ISO-8859-4", "windows-1257"},  {"ISO-8859-13", "windows-1257"},
        {"TIS-620", "windows-874"},      {"UHC", "windows-949"},
    };
    for (const auto& [name, codePage] : ansiCodePages)
        if (guess == name)
            return codePage;
    return guess;
}

bool isEastAsian(const QByteArray& guess)
{
    static const char* const multiByteCodePages[] = {
        "BIG5",        "EUC-JP",      "EUC-KR",      "EUC-TW",    "GB18030", "HZ-GB-2312",
        "ISO-2022-CN", "ISO-2022-JP", "ISO-2022-KR", "SHIFT_JIS", "UHC"};
    return std::any_of(std::begin(multiByteCodePages), std::end(multiByteCodePages),
                       [&](const char* name) { return guess == name; });
}

bool decodesCleanly(const QByteArray& encoding, QByteArrayView sample)
{
    QStringDecoder decoder(encoding.constData());
    if (!decoder.isValid())
        return false;
    [[maybe_unused]] const QString text = decoder.decode(sample);
    return !decoder.hasError();
}

// The characters of GB2312 that every byte above ASCII pairs up into with the next: a lead byte
// of its rows of symbols (A1-A9) or of hanzi (B0-F7), a trail byte in A1-FE. Hanzi of the first
// level (leads B0-D7) and the symbols are nearly all of ordinary Chinese text, while the
// lowercase letters of the Cyrillic, Greek and Hebrew code pages pair up as rare second-level
// hanzi.
struct Gb2312Characters {
    qsizetype all = 0;
    qsizetype common = 0;
};

std::optional<Gb2312Characters> gb2312CharactersOf(QByteArrayView sample)
{
    const auto isLead = [](unsigned char byte) {
        return (byte >= 0xA1 && byte <= 0xA9) || (byte >= 0xB0 && byte <= 0xF7);
    };
    const auto isTrail = [](unsigned char byte) { return byte >= 0xA1 && byte <= 0xFE; };
    Gb2312Characters characters;
    for (qsizetype i = 0; i < sample.size(); ++i) {
        if (!isAboveAscii(sample[i]))
            continue;
        const auto lead = static_cast<unsigned char>(sample[i]);
        if (i + 1 == sample.size() || !isLead(lead) ||
            !isTrail(static_cast<unsigned char>(sample[i + 1])))
            return std::nullopt;
        ++characters.all;
        if (lead <= 0xD7)
            ++characters.common;
        ++i;
    }
    return characters;
}

bool namesAWesternCodePage(const QByteArray& guess)
{
    return ansiCodePageOf(guess).compare(WesternCodePage, Qt::CaseInsensitive) == 0;
}

// uchardet takes short GBK texts for a single-byte code page or for UTF-8, or cannot place them
// at all. Where it names nothing or UTF-8, shape alone tells Chinese, and so it does where it
// names a Western code page for one or two characters, which may be rare ones, as in names.
// Portuguese pairs up as GB2312 too ("ção", "ções"), as Cyrillic and Greek do, so beyond that
// the characters must also be mostly common ones.
bool isChinese(const QByteArray& guess, QByteArrayView sample)
{
    constexpr int FewCharacters = 3;
    if (isEastAsian(guess))
        return false;
    const std::optional<Gb2312Characters> characters = gb2312CharactersOf(sample);
    if (!characters)
        return false;
    if (guess.isEmpty() || guess == "ASCII" || guess == Utf8 ||
        (namesAWesternCodePage(guess) && characters->all < FewCharacters))
        return true;
    return characters->common * 4 >= characters->all * 3;
}

// The length of the valid UTF-8 sequence the bytes start with, or 0.
qsizetype utf8SequenceLength(QByteArrayView bytes)
{
    const auto lead = static_cast<unsigned char>(bytes.front());
    const qsizetype length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || length > bytes.size() || !bytes.first(length).isValidUtf8())
        return 0;
    return length;
}

// A stray byte in UTF-8 text, as an editor or a cut leaves it, should cost only that byte. Text in
// a legacy code page forms a valid sequence by chance only now and then, so it does not reach
// five valid sequences for each invalid byte; uchardet's own UTF-8 answer comes for about a
// tenth of short GBK texts, too often to follow.
bool isMostlyUtf8(QByteArrayView sample)
{
    qsizetype valid = 0;
    qsizetype invalid = 0;
    for (qsizetype i = 0; i < sample.size();) {
        if (!isAboveAscii(sample[i])) {
            ++i;
        } else if (const qsizetype length = utf8SequenceLength(sample.sliced(i))) {
            ++valid;
            i += length;
        } else {
            ++invalid;
            ++i;
        }
    }
    return valid >= invalid * 5;
}

QByteArray encodingOf(QByteArrayView sample)
{
    if (isMostlyUtf8(sample))
        return Utf8;
    const QByteArray guess = guessOfUchardet(sample);
    if (isChinese(guess, sample))
        return ChineseCodePage;
    const QByteArray encoding = ansiCodePageOf(guess);
    if (decodesCleanly(encoding, sample))
        return encoding;
    return decodesCleanly(ChineseCodePage, sample) ? ChineseCodePage : WesternCodePage;
}

} // namespace

QString decodeByByteOrderMark(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return decodeUtf16(bytes.mid(2), QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(bytes.mid(2), QStringDecoder::Utf16BE);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return decodeSystemCodePage(bytes);
}

QString decodeSystemCodePage(const QByteArray& bytes)
{
    if (bytes.isValidUtf8())
        return QString::fromUtf8(bytes);
    return QStringDecoder(encodingOf(detectionSample(bytes)).constData()).decode(bytes);
}

} // namespace formats
