#include "documents/DocumentTypes.h"

#include "platform/FileIdentity.h"

#include <algorithm>

namespace documents {

QString asciiLowerCase(const QString& text)
{
    QString lower = text;
    for (QChar& c : lower)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    return lower;
}

QString pathAsChosen(const QString& path)
{
    const QString lower = asciiLowerCase(path);
    return lower != path && platform::sameFile(lower, path) ? lower : path;
}

QString extensionOf(const QString& path)
{
    const QString lower = asciiLowerCase(path);
    const qsizetype dot = lower.lastIndexOf(u'.');
    if (dot < 0)
        return {};
    const QString extension = lower.mid(dot);
    if (extension.contains(u'/') || extension.contains(u':'))
        return {};
    return extension;
}

DocumentHandling handlingOf(const QString& extension)
{
    static const std::pair<const char*, DocumentHandling> table[] = {
        {".txt", DocumentHandling::LoadIntoEditor},
        {".rtf", DocumentHandling::LoadIntoEditor},
        {".ini", DocumentHandling::LoadIntoEditor},
        {".htm", DocumentHandling::Browse},
        {".html", DocumentHandling::Browse},
        {".mht", DocumentHandling::Browse},
        {".xml", DocumentHandling::Browse},
        {".doc", DocumentHandling::ConvertWordDocument},
        {".pdf", DocumentHandling::ConvertPdf},
        // Beyond the old table: what word processors write today.
        {".docx", DocumentHandling::ConvertWordDocument},
        {".odt", DocumentHandling::ConvertWordDocument},
    };
    for (const auto& [known, handling] : table)
        if (extension == QLatin1String(known))
            return handling;
    return DocumentHandling::Nothing;
}

namespace {

bool needsQuotes(const QString& entry)
{
    return std::any_of(entry.begin(), entry.end(),
                       [](QChar c) { return c.unicode() <= 0x20 || c == u',' || c == u'"'; });
}

} // namespace

QString commaText(const QStringList& entries)
{
    QStringList parts;
    for (const QString& entry : entries) {
        if (!needsQuotes(entry)) {
            parts << entry;
            continue;
        }
        QString quoted = entry;
        quoted.replace(u'"', QStringLiteral("\"\""));
        parts << u'"' + quoted + u'"';
    }
    return parts.join(u',');
}

bool addAddressHistory(QStringList& history, const QString& entry)
{
    // The history file holds an entry a line: one with a line break would come back as two.
    if (entry.contains(u'\n') || entry.contains(u'\r'))
        return false;
    if (!entry.isEmpty() && commaText(history).contains(entry))
        return false;
    history << entry;
    return true;
}

} // namespace documents
