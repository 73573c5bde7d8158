// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/ReadingPositions.h"

#include "formats/FileWriting.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace formats {

FileStamp FileStamp::of(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists())
        return {};
    return {file.size(), file.lastModified().toUTC()};
}

ReadingPositions::ReadingPositions(std::function<QString()> filePath)
    : findFile_(std::move(filePath))
{
}

void ReadingPositions::load()
{
    if (std::exchange(loaded_, true))
        return;
    filePath_ = findFile_();
    QFile file(filePath_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (const QJsonValue value : QJsonDocument::fromJson(file.readAll()).array()) {
        const QJsonObject entry = value.toObject();
        const QString path = entry.value(QLatin1String("path")).toString();
        if (path.isEmpty() || entries_.size() == MaxDocuments)
            continue;
        entries_.append({path,
                         {entry.value(QLatin1String("size")).toInteger(-1),
                          QDateTime::fromString(entry.value(QLatin1String("modified")).toString(),
                                                Qt::ISODateWithMs)},
                         std::max(0, entry.value(QLatin1String("position")).toInt())});
    }
}

qsizetype ReadingPositions::indexOf(const QString& path) const
{
    for (qsizetype i = 0; i < entries_.size(); ++i)
        if (entries_[i].path == path)
            return i;
    return -1;
}

std::optional<int> ReadingPositions::positionIn(const QString& path, const FileStamp& stamp)
{
    load();
    const qsizetype index = indexOf(path);
    if (index < 0)
        return std::nullopt;
    if (entries_[index].stamp == stamp)
        return entries_[index].position;
    entries_.removeAt(index);
    return std::nullopt;
}

void ReadingPositions::remember(const QString& path, const FileStamp& stamp, int position)
{
    load();
    if (const qsizetype index = indexOf(path); index >= 0)
        entries_.removeAt(index);
    entries_.prepend({path, stamp, position});
    if (entries_.size() > MaxDocuments)
        entries_.removeLast();
}

std::optional<QString> ReadingPositions::save()
{
    load();
    QJsonArray entries;
    for (const Entry& entry : entries_)
        entries.append(QJsonObject{
            {QLatin1String("path"), entry.path},
            {QLatin1String("size"), entry.stamp.size},
            {QLatin1String("modified"), entry.stamp.modified.toString(Qt::ISODateWithMs)},
            {QLatin1String("position"), entry.position}});
    if (const auto failure = replaceFile(filePath_, QJsonDocument(entries).toJson()))
        return failure->reason;
    return std::nullopt;
}

} // namespace formats
