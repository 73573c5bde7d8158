// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FileDialogs.h"

#include "app/FileDialogTexts.h"

#include <QFileDialog>

namespace {

struct NameFilter {
    QString filter;
    // What a name typed without one gets under this filter, if it names one type.
    QString suffix;
};

// "*.mp3" gives "mp3"; "*.*" and lists of masks give none.
QString suffixOf(const QString& masks)
{
    if (!masks.startsWith(QStringLiteral("*.")) || masks.contains(u';'))
        return {};
    const QString suffix = masks.mid(2).trimmed();
    return suffix.contains(u'*') || suffix.contains(u'?') ? QString() : suffix;
}

QString suffixUnder(const QList<NameFilter>& filters, const QString& chosen,
                    const QString& fallback)
{
    for (const NameFilter& filter : filters)
        if (filter.filter == chosen && !filter.suffix.isEmpty())
            return filter.suffix;
    return fallback;
}

// Qt reads a filter's masks from the last parentheses of its text, blank-separated.
QList<NameFilter> nameFilters(const QString& fileTypes)
{
    const QStringList parts = fileTypes.split(u'|');
    QList<NameFilter> filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters.push_back(
            {parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(u';', u' ') + u')',
             suffixOf(parts[i + 1])});
    return filters;
}

// The filter chosen gives its type to a name typed without one, as the desktop's dialogs do.
void setUp(QFileDialog& dialog, const FileDialogTexts& texts)
{
    dialog.setObjectName(texts.objectName());
    if (!texts.title.isEmpty())
        dialog.setWindowTitle(texts.title);
    const QList<NameFilter> filters = nameFilters(texts.fileTypes);
    QStringList names;
    for (const NameFilter& filter : filters)
        names << filter.filter;
    dialog.setNameFilters(names);
    dialog.setDefaultSuffix(texts.defaultSuffix);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters, fallback = texts.defaultSuffix](const QString& chosen) {
                         dialog.setDefaultSuffix(suffixUnder(filters, chosen, fallback));
                     });
}

QString chosenFile(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

QString QtFileDialogs::chooseFileToOpen(QWidget* parent, const FileDialogTexts& texts)
{
    QFileDialog dialog(parent);
    setUp(dialog, texts);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    return chosenFile(dialog);
}

QString QtFileDialogs::chooseFileToSave(QWidget* parent, const FileDialogTexts& texts)
{
    QFileDialog dialog(parent);
    setUp(dialog, texts);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return chosenFile(dialog);
}

QString QtFileDialogs::chooseFolder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title);
}
