// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <QByteArray>
#include <QString>

struct zip;

namespace formats {

// A ZIP archive read from memory. Every failure throws BookError.
class ZipArchive {
public:
    // Throws where the bytes are no ZIP archive.
    explicit ZipArchive(const QByteArray& bytes);

    bool contains(const QString& name) const;
    // Whether the entry is stored encrypted by the archive itself.
    bool isEncrypted(const QString& name) const;
    // The entry's bytes; throws where it is missing, damaged, encrypted or larger than maxBytes,
    // whatever size it claims.
    QByteArray read(const QString& name, qint64 maxBytes) const;

private:
    struct Close {
        void operator()(zip* archive) const;
    };

    qint64 indexOf(const QString& name) const;

    QByteArray bytes_;
    std::unique_ptr<zip, Close> archive_;
};

} // namespace formats
