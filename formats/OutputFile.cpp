// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/OutputFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace formats {

namespace {

// What the name leads to, through any links, exists and is neither a file nor a folder.
bool isSpecialFile(const QString& path)
{
    const QFileInfo target(QFileInfo(path).canonicalFilePath());
    return target.exists() && !target.isFile() && !target.isDir();
}

} // namespace

// Unbuffered, so a failed write is seen at once with the system's reason.
bool OutputFile::open(const QString& path)
{
    if (isSpecialFile(path))
        file_ = std::make_unique<QFile>(path);
    else
        file_ = std::make_unique<QSaveFile>(path);
    return file_->open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

QString OutputFile::errorString() const
{
    return file_ ? file_->errorString() : QString();
}

bool OutputFile::commit()
{
    if (auto* replacing = dynamic_cast<QSaveFile*>(file_.get()))
        return replacing->commit();
    file_->close();
    return file_->error() == QFileDevice::NoError;
}

// An uncommitted QSaveFile removes its temporary file as it goes.
void OutputFile::discard()
{
    file_.reset();
}

} // namespace formats
