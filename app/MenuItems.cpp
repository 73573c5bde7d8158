// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MenuItems.h"

#include <QAction>
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
