// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QKeySequence>
#include <QString>
#include <QStringList>
#include <vector>

class QAction;
class QMenu;
class QWidget;

// Menu items named as the language files know them, owned by the window.
QAction* addItem(QMenu& menu, QWidget& window, const char* name, const QString& caption,
                 const QKeySequence& shortcut = {});
QAction* addCheckItem(QMenu& menu, QWidget& window, const char* name, const QString& caption);
QMenu* addSubmenu(QMenu& menu, QWidget& window, const char* name, const QString& caption);

// The fourteen language items, under the main menu's names ("N" and the language) or the tray
// menu's ("NN" and the language).
enum class LanguageMenu { Main, Tray };
std::vector<QAction*> addLanguageItems(QMenu& menu, QWidget& window, LanguageMenu which);
// A check item for the built-in language, then one for each language file, under the main
// menu's name where the language has one; one of them is checked at a time.
std::vector<QAction*> addAvailableLanguageItems(QMenu& menu, QWidget& window,
                                                const QStringList& available);
