#include "app/DataFiles.h"

#include "app/GetPath.h"
#include "app/HistoryFile.h"

#include <QFileInfo>

QString DataFiles::path(const char* name)
{
    return GetDataPath() + QLatin1String(name);
}

StoredSettings DataFiles::readSettings(int wordWrap) const
{
    return SettingsFile(path("set.ini")).read(wordWrap);
}

void DataFiles::writeSettings(const SettingsAtExit& settings) const
{
    if (settingsApplied_)
        SettingsFile(path("set.ini")).write(settings);
}

std::optional<QStringList> DataFiles::readHistory() const
{
    const QString history = path("files.ini");
    if (!QFileInfo(history).isFile())
        return std::nullopt;
    return HistoryFile::load(history);
}

void DataFiles::writeHistory(const QStringList& entries) const
{
    if (historyApplied_)
        HistoryFile::save(path("files.ini"), entries);
}
