// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/GetPath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <stdexcept>

namespace {

// Every missing level is made, each readable by the user alone, as the XDG base-directory rules
// ask: a fresh account has no ~/.config yet. Another copy of the program may make one at the same
// time.
bool makePrivateFolder(const QString& folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    const QString parent = QFileInfo(folder).path();
    return parent != folder && makePrivateFolder(parent) &&
           (QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) ||
            QFileInfo(folder).isDir());
}

} // namespace

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

QString GetDataPath(const QString& executablePath)
{
    const QString folder = GetAppDataPath() + GetExeBaseName(executablePath);
    if (!makePrivateFolder(folder))
        throw std::runtime_error(
            QStringLiteral("Cannot create the data folder %1").arg(folder).toStdString());
    return folder + u'/';
}
