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

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(MaxFileSize);
    QString text;
    if (bytes.startsWith("\xFF\xFE"))
        text = QStringDecoder(QStringDecoder::Utf16LE).decode(bytes.mid(2));
    else if (bytes.startsWith("\xEF\xBB\xBF"))
        text = QString::fromUtf8(bytes.mid(3));
    else
        text = QString::fromUtf8(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
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
    const QStringList lines = readLines(path_);
    const SectionSpan span = findSection(lines, section);
    if (span.header < 0)
        return defaultValue;
    const qsizetype line = findKey(lines, span, key);
    return line < 0 ? defaultValue : valueOf(lines[line]);
}

void ProfileFile::writeString(const QString& section, const QString& key, const QString& value)
{
    QStringList lines = readLines(path_);
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
    // Through a temporary file and a rename, so a crash never leaves half a file.
    QSaveFile file(path_);
    const QByteArray bytes = (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw std::runtime_error(QStringLiteral("Unable to write to %1").arg(path_).toStdString());
}

} // namespace platform
