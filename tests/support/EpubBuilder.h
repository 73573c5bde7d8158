// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>
#include <zip.h>

namespace testsupport {

// EPUB books made for the tests: the package lists the documents in the order they were added,
// in the manifest in the reverse order, so that a reader following the manifest reads backwards.
class EpubBuilder {
public:
    // An XHTML document in the reading order, under OEBPS/.
    EpubBuilder& document(const QString& name, const QString& body,
                          const QString& mediaType = QStringLiteral("application/xhtml+xml"))
    {
        spine_.append({name, mediaType});
        return entry(QStringLiteral("OEBPS/") + name, xhtml(body).toUtf8());
    }
    EpubBuilder& entry(const QString& name, const QByteArray& content)
    {
        entries_.append({name, content});
        return *this;
    }
    // A document listed in the reading order but not among the files.
    EpubBuilder& unlisted(const QString& id)
    {
        strays_.append(id);
        return *this;
    }

    QByteArray bytes() const
    {
        QList<Entry> all{
            {QStringLiteral("mimetype"), "application/epub+zip"},
            {QStringLiteral("META-INF/container.xml"),
             R"(<?xml version="1.0"?><container version="1.0" )"
             R"(xmlns="urn:oasis:names:tc:opendocument:xmlns:container"><rootfiles>)"
             R"(<rootfile full-path="OEBPS/content.opf" )"
             R"(media-type="application/oebps-package+xml"/></rootfiles></container>)"},
            {QStringLiteral("OEBPS/content.opf"), package().toUtf8()}};
        all.append(entries_);
        return zipped(all);
    }

    static QString xhtml(const QString& body)
    {
        return QStringLiteral(
                   "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html PUBLIC "
                   "\"-//W3C//DTD XHTML 1.1//EN\" \"http://www.w3.org/TR/xhtml11/DTD/"
                   "xhtml11.dtd\">\n<html xmlns=\"http://www.w3.org/1999/xhtml\"><head>"
                   "<title>Not heard</title><style>p { margin: 0 }</style></head><body>%1"
                   "</body></html>")
            .arg(body);
    }

    struct Entry {
        QString name;
        QByteArray content;
        bool encrypted = false;
    };

    static QByteArray zipped(const QList<Entry>& entries)
    {
        QTemporaryDir folder;
        const QByteArray path = folder.filePath(QStringLiteral("book.zip")).toUtf8();
        zip_t* archive = zip_open(path.constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
        for (const Entry& entry : entries) {
            zip_source_t* source =
                zip_source_buffer(archive, entry.content.constData(),
                                  static_cast<zip_uint64_t>(entry.content.size()), 0);
            const zip_int64_t index =
                zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
            if (entry.encrypted)
                zip_file_set_encryption(archive, static_cast<zip_uint64_t>(index), ZIP_EM_AES_256,
                                        "secret");
        }
        zip_close(archive);
        QFile file(QString::fromUtf8(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    struct SpineEntry {
        QString name;
        QString mediaType;
    };

    QString package() const
    {
        QString manifest;
        QString spine;
        for (qsizetype i = spine_.size() - 1; i >= 0; --i)
            manifest += QStringLiteral("<item id=\"d%1\" href=\"%2\" media-type=\"%3\"/>")
                            .arg(i)
                            .arg(QString::fromUtf8(QUrl::toPercentEncoding(spine_[i].name, "/")),
                                 spine_[i].mediaType);
        for (qsizetype i = 0; i < spine_.size(); ++i)
            spine += QStringLiteral("<itemref idref=\"d%1\"/>").arg(i);
        for (const QString& stray : strays_)
            spine += QStringLiteral("<itemref idref=\"%1\"/>").arg(stray);
        return QStringLiteral("<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/"
                              "opf\" version=\"3.0\"><manifest>%1</manifest><spine>%2</spine>"
                              "</package>")
            .arg(manifest, spine);
    }

    QList<SpineEntry> spine_;
    QList<Entry> entries_;
    QStringList strays_;
};

} // namespace testsupport
