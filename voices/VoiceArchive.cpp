// SPDX-License-Identifier: GPL-3.0-or-later

#include "voices/VoiceArchive.h"

#include <archive.h>
#include <archive_entry.h>
#include <memory>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace voices {

namespace {

struct ArchiveCloser {
    void operator()(archive* reader) const { archive_read_free(reader); }
};
using Reader = std::unique_ptr<archive, ArchiveCloser>;

struct Member {
    QString name;
    bool folder = false;
    qint64 size = 0;
};

Reader openArchive(const QString& path)
{
    Reader reader(archive_read_new());
    archive_read_support_filter_all(reader.get());
    archive_read_support_format_tar(reader.get());
    if (archive_read_open_filename(reader.get(), QFile::encodeName(path).constData(), 1 << 16) !=
        ARCHIVE_OK)
        throw InstallError(QStringLiteral("\"%1\" could not be opened: %2")
                               .arg(path, QString::fromUtf8(archive_error_string(reader.get())))
                               .toStdString());
    return reader;
}

[[noreturn]] void damaged(const QString& path, archive* reader)
{
    throw InstallError(QStringLiteral("\"%1\" is damaged: %2")
                           .arg(path, QString::fromUtf8(archive_error_string(reader)))
                           .toStdString());
}

// A name that stays inside the folder it is unpacked into.
bool isSafeName(const QString& name)
{
    if (name.isEmpty() || name.startsWith(u'/') || name.contains(u'\\'))
        return false;
    for (const QString& part : name.split(u'/', Qt::SkipEmptyParts))
        if (part == QStringLiteral(".."))
            return false;
    return true;
}

std::vector<Member> checkedMembers(const QString& path, qint64 mostBytes)
{
    const Reader reader = openArchive(path);
    std::vector<Member> members;
    qint64 total = 0;
    archive_entry* entry = nullptr;
    int status = ARCHIVE_OK;
    while ((status = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK) {
        const QString name = QString::fromUtf8(archive_entry_pathname_utf8(entry)
                                                   ? archive_entry_pathname_utf8(entry)
                                                   : archive_entry_pathname(entry));
        const mode_t type = archive_entry_filetype(entry);
        if (type != AE_IFREG && type != AE_IFDIR)
            throw InstallError(QStringLiteral("\"%1\" holds \"%2\", which is neither a file nor a "
                                              "folder; voices hold only those")
                                   .arg(path, name)
                                   .toStdString());
        if (archive_entry_hardlink(entry))
            throw InstallError(QStringLiteral("\"%1\" holds a link, \"%2\"; voices hold none")
                                   .arg(path, name)
                                   .toStdString());
        if (!isSafeName(name))
            throw InstallError(QStringLiteral("\"%1\" holds \"%2\", a name outside its own folder")
                                   .arg(path, name)
                                   .toStdString());
        const qint64 size = type == AE_IFREG ? archive_entry_size(entry) : 0;
        total += std::max<qint64>(size, 0);
        if (total > mostBytes)
            throw InstallError(QStringLiteral("\"%1\" unpacks to more than %2 MB, more than a "
                                              "voice may take")
                                   .arg(path)
                                   .arg(mostBytes >> 20)
                                   .toStdString());
        members.push_back({name, type == AE_IFDIR, size});
        if (archive_read_data_skip(reader.get()) != ARCHIVE_OK)
            damaged(path, reader.get());
    }
    if (status != ARCHIVE_EOF)
        damaged(path, reader.get());
    if (members.empty())
        throw InstallError(QStringLiteral("\"%1\" is empty").arg(path).toStdString());
    return members;
}

class Unpacking {
public:
    Unpacking(const QString& path, const QString& folder, qint64 total,
              const UnpackProgress& progress)
        : path_(path)
        , folder_(folder)
        , total_(total)
        , progress_(progress)
    {
    }

    void unpack(archive* reader, const Member& member)
    {
        const QString target = folder_.filePath(member.name);
        if (member.folder) {
            if (!folder_.mkpath(member.name))
                cannotWrite(target);
            return;
        }
        folder_.mkpath(QFileInfo(member.name).path());
        QFile file(target);
        // A name given twice is refused rather than written over.
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            cannotWrite(target);
        qint64 written = 0;
        char buffer[1 << 16];
        la_ssize_t count = 0;
        while ((count = archive_read_data(reader, buffer, sizeof buffer)) > 0) {
            written += count;
            if (written > member.size || file.write(buffer, count) != count)
                cannotWrite(target);
            done_ += count;
            if (progress_ && !progress_(done_, total_))
                throw InstallCancelled();
        }
        if (count < 0)
            damaged(path_, reader);
    }

private:
    [[noreturn]] void cannotWrite(const QString& target) const
    {
        throw InstallError(QStringLiteral("\"%1\" could not be written").arg(target).toStdString());
    }

    const QString& path_;
    QDir folder_;
    qint64 total_;
    const UnpackProgress& progress_;
    qint64 done_ = 0;
};

} // namespace

const QStringList& voiceArchiveSuffixes()
{
    static const QStringList suffixes{QStringLiteral(".tar.bz2"), QStringLiteral(".tbz2"),
                                      QStringLiteral(".tar.gz"),  QStringLiteral(".tgz"),
                                      QStringLiteral(".tar.xz"),  QStringLiteral(".tar")};
    return suffixes;
}

void unpackVoiceArchive(const QString& archive, const QString& folder, qint64 mostBytes,
                        const UnpackProgress& progress)
{
    const std::vector<Member> members = checkedMembers(archive, mostBytes);
    qint64 total = 0;
    for (const Member& member : members)
        total += member.size;
    if (!QDir().mkdir(folder))
        throw InstallError(QStringLiteral("\"%1\" could not be made").arg(folder).toStdString());
    try {
        const Reader reader = openArchive(archive);
        Unpacking unpacking(archive, folder, total, progress);
        archive_entry* entry = nullptr;
        for (const Member& member : members) {
            if (archive_read_next_header(reader.get(), &entry) != ARCHIVE_OK)
                damaged(archive, reader.get());
            unpacking.unpack(reader.get(), member);
        }
    } catch (...) {
        QDir(folder).removeRecursively();
        throw;
    }
}

} // namespace voices
