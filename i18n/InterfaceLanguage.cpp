// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/InterfaceLanguage.h"

namespace i18n {

QString startLanguage(const QString& asked, const QString& chosen, const QLocale& desktop,
                      const QStringList& available)
{
    if (!asked.isEmpty())
        return asked;
    if (!chosen.isEmpty())
        return chosen;
    if (desktop.language() == QLocale::Chinese)
        return {};
    const QString own = QLocale::languageToString(desktop.language());
    for (const QString& name : available)
        if (name.compare(own, Qt::CaseInsensitive) == 0)
            return name;
    return QStringLiteral("English");
}

QLocale localeOfLanguage(const QString& name)
{
    for (int language = QLocale::AnyLanguage + 1; language <= QLocale::LastLanguage; ++language) {
        const auto candidate = static_cast<QLocale::Language>(language);
        if (QLocale::languageToString(candidate).compare(name, Qt::CaseInsensitive) == 0)
            return QLocale(candidate);
    }
    return QLocale::c();
}

} // namespace i18n
