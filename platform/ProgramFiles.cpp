// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

const QString HelperName = QStringLiteral("lectorix-synth");

} // namespace

ProgramFiles::ProgramFiles(const QString& programFolder)
    : programFolder_(programFolder)
    , installed_(QFileInfo::exists(folder(LECTORIX_HELPER_FROM_BIN) + u'/' + HelperName))
{
}

ProgramFiles ProgramFiles::ofRunningProgram()
{
    return ProgramFiles(QCoreApplication::applicationDirPath());
}

QString ProgramFiles::helperPath() const
{
    return helper(HelperName);
}

QString ProgramFiles::neuralHelperPath() const
{
    return helper(QStringLiteral("lectorix-neural"));
}

QString ProgramFiles::webHelperPath() const
{
    return helper(QStringLiteral("lectorix-web"));
}

QString ProgramFiles::helper(const QString& name) const
{
    return (installed_ ? folder(LECTORIX_HELPER_FROM_BIN) : programFolder_) + u'/' + name;
}

QString ProgramFiles::libraryFolder() const
{
    return installed_ ? folder(LECTORIX_LIBRARY_FROM_BIN) : programFolder_;
}

QString ProgramFiles::dataFolder() const
{
    return (installed_ ? folder(LECTORIX_DATA_FROM_BIN) : programFolder_) + u'/';
}

QString ProgramFiles::folder(const char* installedFromBin) const
{
    return QDir::cleanPath(programFolder_ + u'/' + QLatin1String(installedFromBin));
}

} // namespace platform
