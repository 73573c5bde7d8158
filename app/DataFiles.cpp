// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DataFiles.h"

#include "app/GetPath.h"
#include "app/HistoryFile.h"

#include <QFileInfo>
#include <stdexcept>

DataFiles::DataFiles(std::function<void(const QString&)> reportError)
    : reportError_(std::move(reportError))
{
}

std::optional<QString> DataFiles::path(const char* name)
{
    if (folderMissing_)
        return std::nullopt;
    try {
        return GetDataPath() + QLatin1String(name);
    } catch (const std::runtime_error& error) {
        folderMissing_ = true;
        reportError_(QString::fromUtf8(error.what()));
        return std::nullopt;
    }
}

StoredSettings DataFiles::readSettings(int wordWrap)
{
    if (const std::optional<QString> settings = path("set.ini"))
        return SettingsFile(*settings).read(wordWrap);
    StoredSettings defaults;
    defaults.wordWrap = wordWrap;
    return defaults;
}

void DataFiles::writeSettings(const SettingsAtExit& settings)
{
    if (!settingsApplied_)
        return;
    if (const std::optional<QString> settingsPath = path("set.ini"))
        SettingsFile(*settingsPath).write(settings);
}

// A history that is there but cannot be read is not written over at exit.
std::optional<QStringList> DataFiles::readHistory()
{
    const std::optional<QString> history = path("files.ini");
    if (!history || !QFileInfo(*history).isFile())
        return std::nullopt;
    std::optional<QStringList> entries = HistoryFile::load(*history);
    historyUnreadable_ = !entries;
    return entries;
}

void DataFiles::writeHistory(const QStringList& entries)
{
    if (!historyApplied_ || historyUnreadable_)
        return;
    if (const std::optional<QString> history = path("files.ini"))
        HistoryFile::save(*history, entries);
}

formats::ReadingPositions& DataFiles::readingPositions()
{
    if (!readingPositions_)
        readingPositions_.emplace([this] { return path("positions.json").value_or(QString()); });
    return *readingPositions_;
}
