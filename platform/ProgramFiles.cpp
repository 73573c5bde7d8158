#include "platform/ProgramFiles.h"

#include <QCoreApplication>

namespace platform {

QString libraryFolder()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace platform
