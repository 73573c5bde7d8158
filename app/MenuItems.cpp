// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MenuItems.h"

#include "i18n/InterfaceLanguage.h"
#include "i18n/UnicodeLanguage.h"

#include <algorithm>
#include <QAction>
#include <QActionGroup>
#include <QMenu>

QAction* addItem(QMenu& menu, QWidget& window, const char* name, const QString& caption,
                 const QKeySequence& shortcut)
{
    auto* item = new QAction(caption, &window);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(shortcut);
    menu.addAction(item);
    return item;
}

QAction* addCheckItem(QMenu& menu, QWidget& window, const char* name, const QString& caption)
{
    QAction* item = addItem(menu, window, name, caption);
    item->setCheckable(true);
    return item;
}

QMenu* addSubmenu(QMenu& menu, QWidget& window, const char* name, const QString& caption)
{
    auto* submenu = new QMenu(caption, &window);
    submenu->setObjectName(QLatin1String(name));
    menu.addMenu(submenu);
    return submenu;
}

namespace {

struct LanguageItem {
    const char* mainName;
    const char* trayName;
    const char16_t* caption;
};

// The tray's Greek item has always been spelled so; language files know it by that name.
constexpr LanguageItem languageItems[] = {
    {"NEnglish", "NNEnglish", u"English(English)"},
    {"NChineseSimplified", "NNChineseSimplified", u"中文简体(ChineseSimplified)"},
    {"NChineseTraditional", "NNChineseTraditional", u"中文繁體(ChineseTraditional)"},
    {"NSpanish", "NNSpanish", u"Español(Spanish)"},
    {"NGerman", "NNGerman", u"Deutsch(German)"},
    {"NFrench", "NNFrench", u"Français(French)"},
    {"NPortuguese", "NNPortuguese", u"Português(Portuguese)"},
    {"NJapanese", "NNJapanese", u"日本語(Japanese)"},
    {"NKorean", "NNKorean", u"한국어(Korean)"},
    {"NItalian", "NNItalian", u"Italiano(Italian)"},
    {"NArabic", "NNArabic", u"عربيّة(Arabic)"},
    {"NRussian", "NNRussian", u"Русско(Russian)"},
    {"NDutch", "NNDutch", u"Nederlands(Dutch)"},
    {"NGreek", "NNGreak", u"Ελληνικα(Greek)"},
};

} // namespace

std::vector<QAction*> addLanguageItems(QMenu& menu, QWidget& window, LanguageMenu which)
{
    std::vector<QAction*> items;
    for (const LanguageItem& language : languageItems) {
        const char* name = which == LanguageMenu::Main ? language.mainName : language.trayName;
        items.push_back(addItem(menu, window, name, QString::fromUtf16(language.caption)));
    }
    return items;
}

std::vector<QAction*> addAvailableLanguageItems(QMenu& menu, QWidget& window,
                                                const QStringList& available)
{
    QStringList names{QLatin1String(i18n::UnicodeLanguage::BuiltIn)};
    for (const QString& name : available)
        if (!names.contains(name, Qt::CaseInsensitive))
            names << name;
    auto* group = new QActionGroup(&menu);
    std::vector<QAction*> items;
    for (const QString& name : names) {
        const auto known = std::ranges::find_if(languageItems, [&](const LanguageItem& item) {
            return i18n::languageNameOf(QString::fromUtf16(item.caption)) == name;
        });
        const QString caption = known != std::end(languageItems)
                                    ? QString::fromUtf16(known->caption)
                                    : QStringLiteral("%1(%2)").arg(
                                          i18n::localeOfLanguage(name).nativeLanguageName(), name);
        const QByteArray itemName =
            known != std::end(languageItems) ? QByteArray(known->mainName) : "N" + name.toLatin1();
        QAction* item = addCheckItem(menu, window, itemName.constData(), caption);
        group->addAction(item);
        items.push_back(item);
    }
    return items;
}
