// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QStringList>

namespace i18n {

// The language the interface starts in: the one asked for by name, else the one chosen in the
// Language menu, else the desktop's. A Chinese desktop keeps the built-in texts (an empty name);
// any other takes the language file named after its language, English where it has none.
QString startLanguage(const QString& asked, const QString& chosen, const QLocale& desktop,
                      const QStringList& available);

// The locale of a language file's name, such as German for "German"; the C locale for a name that
// is no language.
QLocale localeOfLanguage(const QString& name);

} // namespace i18n
