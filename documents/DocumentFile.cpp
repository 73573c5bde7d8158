// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/DocumentFile.h"

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <QFile>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace documents {

namespace {

constexpr double Megabyte = 1 << 20;

// Rounded up, so that a size past the limit never reads as the limit.
QString megabytes(qint64 bytes)
{
    return QString::number(std::ceil(static_cast<double>(bytes) * 10 / Megabyte) / 10, 'f', 1);
}

} // namespace

DocumentFile::Descriptor::~Descriptor()
{
    if (value >= 0)
        ::close(value);
}

// The type is checked before opening, as opening a device may act on it, and again on what was
// opened, which may have been swapped for a pipe since; the pipe does not block the opening.
DocumentFile::DocumentFile(const QString& path, qint64 maxBytes)
    : path_(path)
    , maxBytes_(maxBytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) == 0)
        check(status);
    descriptor_.value = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor_.value < 0 || ::fstat(descriptor_.value, &status) != 0)
        refuse(qt_error_string(errno));
    check(status);
    size_ = status.st_size;
}

// Reads on past the size the file was opened at: files of the kernel tell 0, and a file may grow.
QByteArray DocumentFile::readAll() const
{
    QByteArray bytes;
    bytes.reserve(size_);
    char chunk[1 << 16];
    while (const qsizetype count = readChunk(chunk, sizeof chunk)) {
        if (bytes.size() + count > maxBytes_)
            refuseSize(QStringLiteral("more than %1").arg(maxBytes_ / Megabyte));
        bytes.append(chunk, count);
    }
    return bytes;
}

void DocumentFile::check(const struct stat& status) const
{
    if (!S_ISREG(status.st_mode))
        refuse(QStringLiteral("It is not a regular file."));
    if (status.st_size > maxBytes_)
        refuseSize(megabytes(status.st_size));
}

// The bytes read, none at the end of the file.
qsizetype DocumentFile::readChunk(char* buffer, std::size_t size) const
{
    for (;;) {
        const ssize_t count = ::read(descriptor_.value, buffer, size);
        if (count >= 0)
            return count;
        if (errno != EINTR)
            refuse(qt_error_string(errno));
    }
}

void cannotOpen(const QString& path, const QString& reason)
{
    throw std::runtime_error(
        QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason).toStdString());
}

void DocumentFile::refuse(const QString& reason) const
{
    cannotOpen(path_, reason);
}

void DocumentFile::refuseSize(const QString& size) const
{
    refuse(QStringLiteral("It is %1 MB; files up to %2 MB can be opened.")
               .arg(size)
               .arg(maxBytes_ / Megabyte));
}

} // namespace documents
