// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/LanguageChoice.h"

#include "i18n/InterfaceLanguage.h"

#include <QAction>

namespace i18n {

LanguageChoice::LanguageChoice(QList<QWidget*> windows, QString dataFolder)
    : files_(std::move(windows), std::move(dataFolder))
{
}

void LanguageChoice::showIn(std::vector<QAction*> items)
{
    items_ = std::move(items);
    check(applied_);
}

QString LanguageChoice::apply(const QString& name)
{
    const QString applied = files_.ApplyLanguage(name);
    if (!applied.isEmpty()) {
        applied_ = applied;
        qtTranslations_.follow(applied);
    }
    check(applied_);
    return applied;
}

void LanguageChoice::choose(const QString& name)
{
    if (const QString applied = apply(name); !applied.isEmpty())
        chosen_ = applied;
}

QString LanguageChoice::start(const QString& asked, const QLocale& desktop)
{
    const QStringList available = availableLanguages();
    const auto startWith = [&](const QString& chosen) {
        const QString name = startLanguage(asked, chosen, desktop, available);
        return apply(name.isEmpty() ? QLatin1String(UnicodeLanguage::BuiltIn) : name);
    };
    const QString applied = startWith(chosen_);
    return applied.isEmpty() && asked.isEmpty() ? startWith({}) : applied;
}

void LanguageChoice::check(const QString& name)
{
    for (QAction* item : items_)
        if (languageNameOf(item->text()).compare(name, Qt::CaseInsensitive) == 0)
            item->setChecked(true);
}

} // namespace i18n
