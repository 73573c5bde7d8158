// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

struct stat;

namespace documents {

// Throws "Cannot open file "<path>". <reason>", the way every refusal to open a document reads.
[[noreturn]] void cannotOpen(const QString& path, const QString& reason);

// A file opened to be read whole: only a regular file (a symbolic link is followed) and only up
// to a size, so that opening never waits on a pipe or a device nor reads without end.
class DocumentFile {
public:
    // Throws "Cannot open file "<path>". <reason>" for a file that cannot be opened, is not a
    // regular file or is larger than maxBytes.
    DocumentFile(const QString& path, qint64 maxBytes);

    // Throws as the constructor does where reading fails or finds more than maxBytes.
    QByteArray readAll() const;

private:
    // Closed also when the constructor throws.
    struct Descriptor {
        Descriptor() = default;
        Descriptor(const Descriptor&) = delete;
        Descriptor& operator=(const Descriptor&) = delete;
        ~Descriptor();

        int value = -1;
    };

    void check(const struct stat& status) const;
    qsizetype readChunk(char* buffer, std::size_t size) const;
    [[noreturn]] void refuse(const QString& reason) const;
    [[noreturn]] void refuseSize(const QString& size) const;

    const QString path_;
    const qint64 maxBytes_;
    qint64 size_ = 0;
    Descriptor descriptor_;
};

} // namespace documents
