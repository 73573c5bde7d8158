#include "platform/SampleFile.h"

#include <QFile>

namespace platform {

std::runtime_error SampleFile::error(const QString& message)
{
    return std::runtime_error(message.toStdString());
}

void SampleFile::SetFormatType(int formatType)
{
    if (formatType != Format16kHz16BitMono)
        throw error(QStringLiteral("Unsupported audio format type %1").arg(formatType));
    formatType_ = formatType;
}

void SampleFile::checkOpenMode(int mode)
{
    if (mode != CreateForWrite)
        throw error(QStringLiteral("Unsupported file stream mode %1").arg(mode));
}

void SampleFile::failWriting(const QString& path, bool removable, const QString& reason)
{
    if (removable)
        QFile::remove(path);
    throw error(QStringLiteral("Cannot write \"%1\": %2").arg(path, reason));
}

} // namespace platform
