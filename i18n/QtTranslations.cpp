// SPDX-License-Identifier: GPL-3.0-or-later

#include "i18n/QtTranslations.h"

#include "i18n/InterfaceLanguage.h"
#include "i18n/UnicodeLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace i18n {

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations()
{
    if (translator_)
        QCoreApplication::removeTranslator(translator_.get());
}

void QtTranslations::follow(const QString& language)
{
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    const QLocale locale = language == QLatin1String(UnicodeLanguage::BuiltIn)
                               ? QLocale(QLocale::Chinese, QLocale::China)
                               : localeOfLanguage(language);
    if (locale.language() == QLocale::C || locale.language() == QLocale::English)
        return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
}

QString QtTranslations::current() const
{
    return translator_ ? translator_->language() : QString();
}

} // namespace i18n
