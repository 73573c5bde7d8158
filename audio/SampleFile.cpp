// SPDX-License-Identifier: GPL-3.0-or-later

#include "audio/SampleFile.h"

namespace audio {

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

void SampleFile::finishWriting(formats::OutputFile& file, QString failure)
{
    if (failure.isEmpty() && !file.commit())
        failure = file.errorString();
    if (failure.isEmpty())
        return;
    const QString path = file.device().fileName();
    file.discard();
    throw error(QStringLiteral("Cannot write \"%1\": %2").arg(path, failure));
}

} // namespace audio
