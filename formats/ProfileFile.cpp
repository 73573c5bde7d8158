// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/ProfileFile.h"

#include "formats/FileWriting.h"

#include <optional>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>
#include <stdexcept>

namespace formats {

namespace {

// Larger files are not settings files; reading stops there, as every key read reads the file.
constexpr qint64 MaxFileSize = 1 << 20;

// A line in UTF-8, or else one character a byte, so that writing it back keeps its bytes.
QString decodeLine(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// Lines end at CR, LF or CR LF; an end at the very end makes no empty line.
QList<QByteArray> splitLines(QByteArray text)
{
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    QList<QByteArray> lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The lines of a file with the bytes each had, so that lines not written to stay byte for byte
// as they were. Lines that are not UTF-8 are taken one character a byte.
struct FileLines {
    QStringList lines;
    QList<QByteArray> bytes;
    bool hasOtherBytes = false;
    // Past the size read, or there but not readable: writing would lose what was not read.
    bool incomplete = false;

    // A new line goes in one character a byte where the file has such lines and it reads back
    // the same that way, else in UTF-8, which always reads back unchanged.
    QByteArray encode(const QString& line) const
    {
        if (hasOtherBytes) {
            const QByteArray latin1 = line.toLatin1();
            if (decodeLine(latin1) == line)
                return latin1;
        }
        return line.toUtf8();
    }
    void set(qsizetype index, const QString& line)
    {
        lines[index] = line;
        bytes[index] = encode(line);
    }
    void insert(qsizetype index, const QString& line)
    {
        lines.insert(index, line);
        bytes.insert(index, encode(line));
    }
    void append(const QString& line) { insert(lines.size(), line); }
};

FileLines readLines(const QString& path)
{
    FileLines result;
    // Opening a pipe would wait for a writer for good.
    if (!QFileInfo(path).isFile()) {
        result.incomplete = QFileInfo::exists(path);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.incomplete = true;
        return result;
    }
    result.incomplete = file.size() > MaxFileSize;
    const QByteArray bytes = file.read(MaxFileSize);
    if (bytes.startsWith("\xFF\xFE")) {
        const QString text = QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
        result.bytes = splitLines(text.toUtf8());
    } else {
        result.bytes = splitLines(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    }
    for (const QByteArray& line : result.bytes) {
        result.lines << decodeLine(line);
        result.hasOtherBytes = result.hasOtherBytes || result.lines.last().toUtf8() != line;
    }
    return result;
}

// The name of a section line, or nothing for any other line.
std::optional<QString> sectionName(const QString& line)
{
    const QString trimmed = line.trimmed();
    const qsizetype close = trimmed.indexOf(u']');
    if (!trimmed.startsWith(u'[') || close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

bool isComment(const QString& line)
{
    return line.trimmed().startsWith(u';');
}

QString keyOf(const QString& line)
{
    return line.section(u'=', 0, 0).trimmed();
}

QString valueOf(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    QString value = equals < 0 ? QString() : line.mid(equals + 1).trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value.left(ProfileFile::MaxValueLength);
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a section's lines lie: its header, and the line after its last key.
struct SectionSpan {
    qsizetype header = -1;
    qsizetype end = -1;
};

SectionSpan findSection(const QStringList& lines, const QString& section)
{
    SectionSpan span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = sectionName(lines[i]);
        if (span.header >= 0) {
            if (name)
                break;
            if (!lines[i].trimmed().isEmpty())
                span.end = i + 1;
        } else if (name && sameName(*name, section)) {
            span.header = i;
            span.end = i + 1;
        }
    }
    return span;
}

qsizetype findKey(const QStringList& lines, const SectionSpan& span, const QString& key)
{
    for (qsizetype i = span.header + 1; i < span.end; ++i)
        if (!isComment(lines[i]) && !sectionName(lines[i]) && sameName(keyOf(lines[i]), key))
            return i;
    return -1;
}

} // namespace

ProfileFile::ProfileFile(QString path)
    : path_(std::move(path))
{
}

QString ProfileFile::readString(const QString& section, const QString& key,
                                const QString& defaultValue) const
{
    const QStringList lines = readLines(path_).lines;
    const SectionSpan span = findSection(lines, section);
    if (span.header < 0)
        return defaultValue;
    const qsizetype line = findKey(lines, span, key);
    return line < 0 ? defaultValue : valueOf(lines[line]);
}

QHash<QString, QString> ProfileFile::readSection(const QString& section) const
{
    const QStringList lines = readLines(path_).lines;
    const SectionSpan span = findSection(lines, section);
    QHash<QString, QString> values;
    for (qsizetype i = span.header + 1; span.header >= 0 && i < span.end; ++i) {
        const QString key = keyOf(lines[i]).toCaseFolded();
        if (!isComment(lines[i]) && !sectionName(lines[i]) && !values.contains(key))
            values.insert(key, valueOf(lines[i]));
    }
    return values;
}

// A file that was not read whole is refused rather than cut short, and so is one that would grow
// past what is read: it would hold settings that are never read again.
void ProfileFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const auto unableToWrite = [this] {
        return std::runtime_error(QStringLiteral("Unable to write to %1").arg(path_).toStdString());
    };
    FileLines file = readLines(path_);
    if (file.incomplete)
        throw unableToWrite();
    const QStringList& lines = file.lines;
    const QString entry = key.trimmed() + u'=' + value.trimmed();
    const SectionSpan span = findSection(lines, section);
    if (span.header < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            file.append(QString());
        file.append(u'[' + section.trimmed() + u']');
        file.append(entry);
    } else if (const qsizetype line = findKey(lines, span, key); line >= 0) {
        file.set(line, keyOf(lines[line]) + u'=' + value.trimmed());
    } else {
        file.insert(span.end, entry);
    }
    const QByteArray bytes = file.bytes.join("\r\n") + "\r\n";
    if (bytes.size() > MaxFileSize || replaceFile(path_, bytes))
        throw unableToWrite();
}

} // namespace formats
