// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/books/EpubReader.h"

#include "formats/books/ParagraphBuilder.h"
#include "formats/books/XhtmlText.h"
#include "formats/books/ZipArchive.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QUrl>
#include <QXmlStreamReader>

namespace formats {

namespace {

const QString Container = QStringLiteral("META-INF/container.xml");
const QString Encryption = QStringLiteral("META-INF/encryption.xml");
constexpr qint64 MaxMetadataBytes = 16 << 20;

struct SpineDocument {
    QString path;
    QString mediaType;
};

// Calls element(reader) for every element start; throws where the XML is not well-formed.
template <typename Visit>
void visitElements(const QByteArray& xml, const QString& name, Visit element)
{
    QXmlStreamReader reader(xml);
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement)
            element(reader);
    if (reader.hasError())
        throw BookError(QStringLiteral("The book is damaged: \"%1\" line %2: %3.")
                            .arg(name)
                            .arg(reader.lineNumber())
                            .arg(reader.errorString()));
}

QString attribute(const QXmlStreamReader& reader, const char* name)
{
    return reader.attributes().value(QLatin1String(name)).toString();
}

// A reference as the archive names its entry: without its fragment, its escapes decoded, from the
// folder of the document that makes it or from the top for one that starts with "/".
QString entryNamed(const QString& reference, const QString& referrer)
{
    const QString decoded = QUrl::fromPercentEncoding(reference.section(u'#', 0, 0).toUtf8());
    if (decoded.startsWith(u'/'))
        return QDir::cleanPath(decoded.mid(1));
    const qsizetype slash = referrer.lastIndexOf(u'/');
    return QDir::cleanPath(referrer.left(slash + 1) + decoded);
}

QString packagePath(const ZipArchive& book)
{
    QString path;
    visitElements(book.read(Container, MaxMetadataBytes), Container, [&](QXmlStreamReader& r) {
        if (path.isEmpty() && r.name() == u"rootfile")
            path = entryNamed(attribute(r, "full-path"), QString());
    });
    if (path.isEmpty())
        throw BookError(
            QStringLiteral("The book is damaged: \"%1\" names no package.").arg(Container));
    return path;
}

QList<SpineDocument> spine(const ZipArchive& book, const QString& package, qint64 maxBytes)
{
    QHash<QString, SpineDocument> manifest;
    QStringList order;
    visitElements(book.read(package, maxBytes), package, [&](QXmlStreamReader& r) {
        if (r.name() == u"item")
            manifest.insert(attribute(r, "id"), {entryNamed(attribute(r, "href"), package),
                                                 attribute(r, "media-type")});
        else if (r.name() == u"itemref")
            order.append(attribute(r, "idref"));
    });
    QList<SpineDocument> documents;
    for (const QString& id : order) {
        const auto item = manifest.constFind(id);
        if (item == manifest.constEnd())
            throw BookError(QStringLiteral("The book is damaged: \"%1\" lists \"%2\" in its "
                                           "reading order but not among its files.")
                                .arg(package, id));
        documents.append(*item);
    }
    return documents;
}

// The entries that encryption.xml lists. Fonts are often scrambled in books without DRM, so it
// is only the text documents among them that lock a book.
QSet<QString> encryptedEntries(const ZipArchive& book)
{
    QSet<QString> entries;
    if (!book.contains(Encryption))
        return entries;
    visitElements(book.read(Encryption, MaxMetadataBytes), Encryption, [&](QXmlStreamReader& r) {
        if (r.name() == u"CipherReference")
            entries.insert(entryNamed(attribute(r, "URI"), QString()));
    });
    return entries;
}

bool isText(const QString& mediaType)
{
    return mediaType.contains(QLatin1String("html")) ||
           mediaType == QLatin1String("application/x-dtbook+xml");
}

} // namespace

BookText readEpub(const QByteArray& bytes, const EpubLimits& limits)
{
    const ZipArchive book(bytes);
    const QList<SpineDocument> documents = spine(book, packagePath(book), limits.maxDocumentBytes);
    const QSet<QString> encrypted = encryptedEntries(book);
    ParagraphBuilder text;
    for (const SpineDocument& document : documents) {
        if (!isText(document.mediaType))
            continue;
        if (encrypted.contains(document.path) || book.isEncrypted(document.path))
            throw BookError(QStringLiteral("The book is locked by DRM (its text is encrypted); "
                                           "only the reading program it was sold for can open "
                                           "it."));
        appendXhtmlText(book.read(document.path, limits.maxDocumentBytes), text);
        if (text.size() > limits.maxTextLength)
            throw BookError(QStringLiteral("The book is too large: it holds more than %L1 "
                                           "characters of text.")
                                .arg(limits.maxTextLength));
    }
    BookText paragraphs = text.take();
    if (paragraphs.isEmpty())
        throw BookError(QStringLiteral("The book holds no text to read; its pages may be "
                                       "pictures."));
    return paragraphs;
}

} // namespace formats
