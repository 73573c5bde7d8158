// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

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
    // The language of the texts the windows are made with.
    static constexpr const char* BuiltIn = "ChineseSimplified";

    // `dataFolder` is the program's data folder (platform::ProgramFiles), ending with a separator.
    UnicodeLanguage(QList<QWidget*> windows, QString dataFolder);

    // The files that hold a language, in the order they are applied, so that the second wins:
    // in the data folder, then in its "Language" folder; none for a name that is a path.
    QStringList languageFiles(const QString& name) const;
    // The languages of the files in the "Language" folder, by name.
    QStringList availableLanguages() const;
    // Gives every window its built-in texts again, then applies the files that exist, each read
    // once per window. Returns the name when there was one, or it is the built-in language;
    // otherwise nothing changes.
    QString ApplyLanguage(const QString& name);
    // Sets the window's font to Tahoma 9 whatever the file holds, then the texts it gives.
    void ApplyLanguageFile(QWidget& window, const QString& path);

private:
    struct BuiltInText {
        QPointer<QObject> element;
        QByteArray property;
        QVariant value;
    };

    static bool isUsable(const QString& path);
    void restoreBuiltIn();
    void remember(QObject& element, const QByteArray& property);

    QList<QWidget*> windows_;
    QString dataFolder_;
    // What the language files changed, as it was before the first of them.
    QList<BuiltInText> builtIn_;
    QSet<QString> remembered_;
};

} // namespace i18n
