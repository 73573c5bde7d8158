// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/books/ZipArchive.h"

#include "formats/books/BookText.h"

#include <zip.h>

namespace formats {

namespace {

struct FileClose {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

[[noreturn]] void damaged(const QString& name, const QString& detail)
{
    throw BookError(QStringLiteral("The book is damaged: \"%1\" %2.").arg(name, detail));
}

} // namespace

void ZipArchive::Close::operator()(zip* archive) const
{
    zip_discard(archive);
}

ZipArchive::ZipArchive(const QByteArray& bytes)
    : bytes_(bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(
        bytes_.constData(), static_cast<zip_uint64_t>(bytes_.size()), 0, &error);
    zip* archive = source ? zip_open_from_source(source, ZIP_RDONLY, &error) : nullptr;
    if (!archive) {
        const QString reason = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        if (source)
            zip_source_free(source);
        throw BookError(QStringLiteral("It is no EPUB book: %1.").arg(reason));
    }
    zip_error_fini(&error);
    archive_.reset(archive);
}

qint64 ZipArchive::indexOf(const QString& name) const
{
    return zip_name_locate(archive_.get(), name.toUtf8().constData(), 0);
}

bool ZipArchive::contains(const QString& name) const
{
    return indexOf(name) >= 0;
}

bool ZipArchive::isEncrypted(const QString& name) const
{
    zip_stat_t status;
    return zip_stat(archive_.get(), name.toUtf8().constData(), 0, &status) == 0 &&
           (status.valid & ZIP_STAT_ENCRYPTION_METHOD) && status.encryption_method != ZIP_EM_NONE;
}

QByteArray ZipArchive::read(const QString& name, qint64 maxBytes) const
{
    const qint64 index = indexOf(name);
    if (index < 0)
        damaged(name, QStringLiteral("is missing"));
    if (isEncrypted(name))
        damaged(name, QStringLiteral("is encrypted"));
    const std::unique_ptr<zip_file_t, FileClose> file(
        zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0));
    if (!file)
        damaged(name, QStringLiteral("cannot be unpacked"));
    QByteArray content;
    char buffer[65536];
    zip_int64_t got = 0;
    while ((got = zip_fread(file.get(), buffer, sizeof buffer)) > 0) {
        if (content.size() + got > maxBytes)
            throw BookError(QStringLiteral("The book is too large: \"%1\" unpacks to more than "
                                           "%2 MB.")
                                .arg(name)
                                .arg(maxBytes >> 20));
        content.append(buffer, static_cast<qsizetype>(got));
    }
    if (got < 0)
        damaged(name, QStringLiteral("cannot be unpacked: %1")
                          .arg(QString::fromUtf8(zip_file_strerror(file.get()))));
    return content;
}

} // namespace formats
