// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/DocumentTypes.h"

#include "platform/FileIdentity.h"

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
        {".epub", DocumentHandling::ReadEpub},
        {".md", DocumentHandling::ReadMarkdown},
        {".markdown", DocumentHandling::ReadMarkdown},
    };
    for (const auto& [known, handling] : table)
        if (extension == QLatin1String(known))
            return handling;
    return DocumentHandling::Nothing;
}

} // namespace documents
