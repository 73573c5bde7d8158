// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "i18n/QtTranslations.h"
#include "i18n/UnicodeLanguage.h"

#include <QLocale>
#include <vector>

class QAction;

namespace i18n {

// The interface language: the one in use, with Qt's own texts and the Language menu's check
// following it, and the one the user chose, which is kept between runs.
class LanguageChoice {
public:
    LanguageChoice(QList<QWidget*> windows, QString dataFolder);

    QStringList availableLanguages() const { return files_.availableLanguages(); }
    // The items of the Language menu, each named by its caption's "(Name)".
    void showIn(std::vector<QAction*> items);

    // The name, or nothing when no file of that language was found.
    QString apply(const QString& name);
    // From the menu: applied and remembered; a language whose file cannot be read changes
    // nothing, the menu's check included.
    void choose(const QString& name);
    // The language asked for, else the one chosen, else the desktop's; a chosen language whose
    // file has gone gives way to the desktop's. The name of the language applied, or nothing
    // when the one asked for was not found.
    QString start(const QString& asked, const QLocale& desktop);

    // Empty while the interface follows the desktop's language.
    const QString& chosen() const { return chosen_; }
    void setChosen(const QString& chosen) { chosen_ = chosen; }

private:
    void check(const QString& name);

    UnicodeLanguage files_;
    QtTranslations qtTranslations_;
    std::vector<QAction*> items_;
    QString chosen_;
    QString applied_ = QLatin1String(UnicodeLanguage::BuiltIn);
};

} // namespace i18n
