// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/InterfaceLanguage.h"

#include "i18n/QtTranslations.h"

#include <gmock/gmock.h>
#include <QCoreApplication>

using i18n::startLanguage;

TEST(InterfaceLanguage, TheNameAskedForWinsThenTheChosenOneThenTheDesktops)
{
    const QStringList files{"English", "French", "German"};
    const QLocale german(QLocale::German, QLocale::Austria);
    EXPECT_EQ(startLanguage("Russian", "French", german, files), "Russian");
    EXPECT_EQ(startLanguage({}, "French", german, files), "French");
    EXPECT_EQ(startLanguage({}, "ChineseSimplified", german, files), "ChineseSimplified");
    EXPECT_EQ(startLanguage({}, {}, german, files), "German");
    EXPECT_EQ(startLanguage({}, {}, german, {"english", "german"}), "german");
}

TEST(InterfaceLanguage, AChineseDesktopKeepsTheBuiltInTextsAndOthersWithoutAFileTakeEnglish)
{
    const QStringList files{"English", "German"};
    EXPECT_EQ(startLanguage({}, {}, QLocale(QLocale::Chinese, QLocale::Taiwan), files), "");
    EXPECT_EQ(startLanguage({}, {}, QLocale(QLocale::Japanese), files), "English");
    EXPECT_EQ(startLanguage({}, {}, QLocale::c(), files), "English");
    EXPECT_EQ(i18n::localeOfLanguage("Russian").language(), QLocale::Russian);
    EXPECT_EQ(i18n::localeOfLanguage("Klingonish").language(), QLocale::C);
}

// Qt's translations come from Debian's qt6-translations-l10n.
TEST(QtTranslations, QtsOwnButtonsFollowTheInterfaceLanguage)
{
    const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
    i18n::QtTranslations translations;
    translations.follow("German");
    EXPECT_EQ(translations.current(), "de");
    EXPECT_EQ(yes(), "&Ja");
    translations.follow("ChineseSimplified");
    EXPECT_EQ(translations.current(), "zh_CN");
    EXPECT_EQ(yes(), "是(&Y)");
    translations.follow("English");
    EXPECT_EQ(translations.current(), "");
    EXPECT_EQ(yes(), "&Yes");
}
