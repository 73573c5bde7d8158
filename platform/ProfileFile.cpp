#include "platform/ProfileFile.h"

#include <optional>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringList>
#include <stdexcept>

namespace platform {

namespace {

// Larger files are not settings files; reading stops there, as every key read reads the file.
constexpr qint64 MaxFileSize = 1 << 20;

// The lines of a file, and whether its bytes are UTF-8 (or UTF-16). Other bytes are taken one
// character each, so writing them back keeps them as they were.
struct FileLines {
    QStringList lines;
    bool utf8 = true;
    bool tooLarge = false;
};

FileLines readLines(const QString& path)
{
    FileLines result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    result.tooLarge = file.size() > MaxFileSize;
    const QByteArray bytes = file.read(MaxFileSize);
    QString text;
    if (bytes.startsWith("\xFF\xFE")) {
        text = QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    } else {
        const QByteArray body = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        QStringDecoder utf8(QStringDecoder::Utf8);
        text = utf8.decode(body);
        if (utf8.hasError()) {
            text = QString::fromLatin1(body);
            result.utf8 = false;
        }
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    result.lines = text.split(u'\n');
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast();
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

// A file larger than what is read is refused rather than cut short.
void ProfileFile::writeString(const QString& section, const QString& key, const QString& value)
{
    const auto unableToWrite = [this] {
        return std::runtime_error(QStringLiteral("Unable to write to %1").arg(path_).toStdString());
    };
    FileLines file = readLines(path_);
    if (file.tooLarge)
        throw unableToWrite();
    QStringList& lines = file.lines;
    const QString entry = key.trimmed() + u'=' + value.trimmed();
    const SectionSpan span = findSection(lines, section);
    if (span.header < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << u'[' + section.trimmed() + u']' << entry;
    } else if (const qsizetype line = findKey(lines, span, key); line >= 0) {
        lines[line] = keyOf(lines[line]) + u'=' + value.trimmed();
    } else {
        lines.insert(span.end, entry);
    }
    const QString text = lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const QByteArray bytes = file.utf8 ? text.toUtf8() : text.toLatin1();
    // Through a temporary file and a rename, so a crash never leaves half a file.
    QSaveFile output(path_);
    if (!output.open(QIODevice::WriteOnly) || output.write(bytes) != bytes.size() ||
        !output.commit())
        throw unableToWrite();
}

} // namespace platform
