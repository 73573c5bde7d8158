#include "app/GetPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <stdexcept>

QString GetSpecialFolderPath(int folder)
{
    if (folder == CSIDL_SYSTEM)
        return QStringLiteral("/usr/bin");
    if (folder != CSIDL_APPDATA)
        return {};
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(configured))
        return QDir::cleanPath(configured);
    return QDir::homePath() + QStringLiteral("/.config");
}

QString GetExeBaseName(const QString& path)
{
    const QString name = path.section(u'/', -1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

QString GetAppDataPath()
{
    return GetSpecialFolderPath(CSIDL_APPDATA) + u'/';
}

QString GetSystemPath()
{
    return GetSpecialFolderPath(CSIDL_SYSTEM) + u'/';
}

QString GetWindowsPath()
{
    return QStringLiteral("/");
}

QString GetDataPath()
{
    return GetDataPath(QCoreApplication::applicationFilePath());
}

// Only the last level is made, as the application-data folder is the user's own.
QString GetDataPath(const QString& executablePath)
{
    const QString folder = GetAppDataPath() + GetExeBaseName(executablePath);
    if (!QFileInfo(folder).isDir() && !QDir().mkdir(folder))
        throw std::runtime_error(
            QStringLiteral("Cannot create the data folder %1").arg(folder).toStdString());
    return folder + u'/';
}
