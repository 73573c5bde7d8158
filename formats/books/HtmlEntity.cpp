// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/books/HtmlEntity.h"

#include <QHash>
#include <QTextDocumentFragment>

namespace formats {

namespace {

QString numericEntity(const QString& digits, int base)
{
    bool ok = false;
    const uint code = digits.toUInt(&ok, base);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return QString(QChar::ReplacementCharacter);
    const char32_t character = code;
    return QString::fromUcs4(&character, 1);
}

// Qt's HTML reader knows the names; a name it does not know comes back as written.
QString namedEntity(const QString& name)
{
    static QHash<QString, QString> known;
    const auto found = known.constFind(name);
    if (found != known.constEnd())
        return *found;
    const QString written = u'&' + name + u';';
    return known.insert(name, QTextDocumentFragment::fromHtml(written).toPlainText()).value();
}

} // namespace

QString htmlEntity(const QString& reference)
{
    if (reference.startsWith(QLatin1String("#x"), Qt::CaseInsensitive))
        return numericEntity(reference.mid(2), 16);
    if (reference.startsWith(u'#'))
        return numericEntity(reference.mid(1), 10);
    return namedEntity(reference);
}

} // namespace formats
