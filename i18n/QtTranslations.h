// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <QString>

class QTranslator;

namespace i18n {

// Qt's own texts (the buttons of message boxes, the file, print, font and colour dialogs) in the
// interface language, from the translations Qt installs.
class QtTranslations {
public:
    QtTranslations();
    ~QtTranslations();
    QtTranslations(const QtTranslations&) = delete;
    QtTranslations& operator=(const QtTranslations&) = delete;

    // Takes the translation for a language file's name, or the built-in language's; English and
    // a language Qt has no translation for leave Qt's texts in English.
    void follow(const QString& language);
    // The language of the translation in use, such as "de"; empty for none.
    QString current() const;

private:
    std::unique_ptr<QTranslator> translator_;
};

} // namespace i18n
