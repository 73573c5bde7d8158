// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/HistoryFile.h"

#include "formats/FileWriting.h"
#include "formats/TextDecoding.h"

#include <QFile>
#include <QStringEncoder>
#include <stdexcept>

namespace {

// A history larger than this is not one; reading stops there, as every entry becomes an item of
// the address box.
constexpr qint64 MaxFileSize = 1 << 20;
constexpr qsizetype MaxEntries = 10000;

} // namespace

// Lines end at CR, LF or CR LF; the last line needs no end, and an end at the very end makes no
// empty entry.
QStringList HistoryFile::decode(const QByteArray& bytes)
{
    QString text = formats::decodeByByteOrderMark(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    if (text.endsWith(u'\n'))
        text.chop(1);
    if (text.isEmpty())
        return {};
    return text.split(u'\n').mid(0, MaxEntries);
}

QByteArray HistoryFile::encode(const QStringList& entries)
{
    QString text;
    for (const QString& entry : entries.mid(0, MaxSavedEntries))
        text += entry + QStringLiteral("\r\n");
    return QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE).encode(text);
}

std::optional<QStringList> HistoryFile::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decode(file.read(MaxFileSize));
}

void HistoryFile::save(const QString& path, const QStringList& entries)
{
    if (entries.isEmpty())
        return;
    if (formats::replaceFile(path, encode(entries)))
        throw std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString());
}
