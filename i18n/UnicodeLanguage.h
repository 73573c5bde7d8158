// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace i18n {

// The name a language item's caption gives its language: the text between its first "(" and
// its first ")", or nothing.
QString languageNameOf(const QString& caption);

// Replaces the texts of the program's windows, and of the elements they own, by those of
// language files: section "Language", keys "<window>.Caption" and "<window>.<element>.<property>".
// Empty values and missing keys leave texts as they are.
class UnicodeLanguage {
public:
    // Language files hold a few hundred texts; a larger file is skipped and reported.
    static constexpr qint64 MaxFileBytes = 1 << 20;

    // `dataFolder` is the program's data folder (platform::ProgramFiles), ending with a separator.
    UnicodeLanguage(QList<QWidget*> windows, QString dataFolder);

    // The files that hold a language, in the order they are applied, so that the second wins:
    // in the data folder, then in its "Language" folder; none for a name that is a path.
    QStringList languageFiles(const QString& name) const;
    // Applies the files that exist to every window, each read once per window. Returns the name
    // when there was one.
    QString ApplyLanguage(const QString& name);
    // Sets the window's font to Tahoma 9 whatever the file holds, then the texts it gives.
    static void ApplyLanguageFile(QWidget& window, const QString& path);

private:
    static bool isUsable(const QString& path);

    QList<QWidget*> windows_;
    QString dataFolder_;
};

} // namespace i18n
