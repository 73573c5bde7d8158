// SPDX-License-Identifier: GPL-3.0-or-later

#include "voices/InstalledVoices.h"

#include "engine/neural/OnnxMetadata.h"
#include "engine/neural/VoiceFolder.h"
#include "voices/VoiceArchive.h"

#include <algorithm>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace voices {

namespace {

qint64 bytesIn(const QString& folder)
{
    qint64 bytes = 0;
    QDirIterator files(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks,
                       QDirIterator::Subdirectories);
    while (files.hasNext())
        bytes += files.nextFileInfo().size();
    return bytes;
}

InstalledVoice describe(const QString& folder)
{
    InstalledVoice voice{.name = QFileInfo(folder).fileName(), .bytes = bytesIn(folder)};
    try {
        const neural::VoiceFolder read =
            neural::readVoiceFolder(folder.toStdString(), LECTORIX_ESPEAK_NG_DATA);
        voice.language = QString::fromStdString(read.language);
        voice.speakers = read.speakers;
        voice.licence = QString::fromStdString(read.licence);
    } catch (const neural::VoiceFolderError& error) {
        voice.problem = QString::fromUtf8(error.what());
    }
    return voice;
}

} // namespace

QList<InstalledVoice> installedVoices(const QString& voicesFolder)
{
    QList<InstalledVoice> voices;
    const QDir folder(voicesFolder);
    // Hidden folders are the library's own work in progress.
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
        voices << describe(folder.filePath(name));
    return voices;
}

bool isVoiceSource(const QString& path)
{
    const QFileInfo file(path);
    if (file.isDir())
        return !QDir(path).entryList({QStringLiteral("*.onnx")}, QDir::Files).isEmpty();
    return std::ranges::any_of(voiceArchiveSuffixes(), [&](const QString& suffix) {
        return file.fileName().endsWith(suffix, Qt::CaseInsensitive);
    });
}

} // namespace voices
