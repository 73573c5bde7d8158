// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/ProfileFile.h"

#include <gmock/gmock.h>
#include <QDir>
#include <QRegularExpression>

namespace {

const QString Folder = QStringLiteral(LANGUAGE_FOLDER);

QHash<QString, QString> textsOf(const QString& language)
{
    return formats::ProfileFile(Folder + u'/' + language + QStringLiteral(".ini"))
        .readSection(QStringLiteral("Language"));
}

// The masks of a filter, every second field.
QStringList masksOf(const QString& filter)
{
    QStringList masks;
    const QStringList fields = filter.split(u'|');
    for (qsizetype field = 1; field < fields.size(); field += 2)
        masks << fields[field];
    return masks;
}

} // namespace

// A key left out leaves its Chinese text; a mask or placeholder changed breaks what it serves.
TEST(LanguageFiles, EachGivesEveryTextOfEnglishWithItsMasksPlaceholdersAndFileNames)
{
    const QHash<QString, QString> english = textsOf(QStringLiteral("English"));
    ASSERT_GT(english.size(), 150);
    const QRegularExpression fileName(QStringLiteral("\\(\\w+\\)$"));
    for (const QString language : {"German", "French", "Spanish", "Russian"}) {
        const QHash<QString, QString> texts = textsOf(language);
        EXPECT_EQ(texts.size(), english.size()) << language.toStdString();
        for (auto [key, value] : english.asKeyValueRange()) {
            const std::string where = language.toStdString() + ": " + key.toStdString();
            const QString translated = texts.value(key);
            ASSERT_FALSE(translated.isEmpty()) << where;
            if (key.endsWith(QLatin1String(".filter"))) {
                EXPECT_EQ(masksOf(translated), masksOf(value)) << where;
            }
            EXPECT_EQ(translated.contains(QLatin1String("%1")), value.contains(QLatin1String("%1")))
                << where;
            EXPECT_EQ(translated.count(u'&') > 0, value.count(u'&') > 0) << where;
            if (const QRegularExpressionMatch name = fileName.match(value); name.hasMatch()) {
                EXPECT_TRUE(translated.endsWith(name.captured())) << where;
            }
        }
    }
}
