#include "platform/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

namespace {

// `name` beside the program when it is there, as in the build tree, else where the prefix's
// layout puts it, relative to bin/.
QString besideOrInPrefix(const QString& name, const QString& prefixFolder)
{
    const QString programFolder = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(programFolder + u'/' + name))
        return programFolder;
    return QDir::cleanPath(programFolder + QStringLiteral("/../") + prefixFolder);
}

} // namespace

QString helperPath()
{
    const QString name = QStringLiteral("lectorix-synth");
    return besideOrInPrefix(name, QStringLiteral("libexec/lectorix")) + u'/' + name;
}

QString libraryFolder()
{
    return besideOrInPrefix(QStringLiteral("libKey.so"), QStringLiteral("lib/lectorix"));
}

QString dataFolder()
{
    return besideOrInPrefix(QStringLiteral("Language"), QStringLiteral("share/lectorix")) + u'/';
}

} // namespace platform
