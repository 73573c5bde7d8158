// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/FileDialogs.h"

#include "app/FileDialogTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>

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

// A row under Qt's own controls: a file for each chapter, and subtitles in the format chosen.
class ExportChoices {
public:
    ExportChoices(QFileDialog& dialog, const QString& byChapter, const QString& subtitles,
                  const speech::ExportOptions& options)
        : row_(new QWidget(&dialog))
        , byChapter_(new QCheckBox(byChapter, row_))
        , subtitles_(new QCheckBox(subtitles, row_))
        , format_(new QComboBox(row_))
    {
        byChapter_->setObjectName(QStringLiteral("byChapter"));
        subtitles_->setObjectName(QStringLiteral("subtitles"));
        format_->setObjectName(QStringLiteral("subtitleFormat"));
        using formats::SubtitleFormat;
        for (const auto& [name, format] :
             {std::pair{"SRT", SubtitleFormat::Srt}, std::pair{"WebVTT", SubtitleFormat::Vtt},
              std::pair{"LRC", SubtitleFormat::Lrc}})
            format_->addItem(QLatin1String(name), static_cast<int>(format));
        format_->setAccessibleName(subtitles_->text().remove(u'&'));
        byChapter_->setChecked(options.byChapter);
        subtitles_->setChecked(options.subtitles.has_value());
        format_->setCurrentIndex(format_->findData(
            static_cast<int>(options.subtitles.value_or(formats::SubtitleFormat::Srt))));
        format_->setEnabled(subtitles_->isChecked());
        QObject::connect(subtitles_, &QCheckBox::toggled, format_, &QWidget::setEnabled);
        auto* layout = new QHBoxLayout(row_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(byChapter_);
        layout->addStretch();
        layout->addWidget(subtitles_);
        layout->addWidget(format_);
        auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
        if (grid)
            grid->addWidget(row_, grid->rowCount(), 0, 1, grid->columnCount());
    }

    speech::ExportOptions options() const
    {
        speech::ExportOptions chosen{byChapter_->isChecked(), std::nullopt};
        if (subtitles_->isChecked())
            chosen.subtitles = static_cast<formats::SubtitleFormat>(format_->currentData().toInt());
        return chosen;
    }

private:
    QWidget* row_;
    QCheckBox* byChapter_;
    QCheckBox* subtitles_;
    QComboBox* format_;
};

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

// Choices made and then cancelled are not kept.
ExportChoice QtFileDialogs::chooseExportFile(QWidget* parent, const FileDialogTexts& texts,
                                             const QString& byChapter, const QString& subtitles)
{
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    setUp(dialog, texts);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const ExportChoices choices(dialog, byChapter, subtitles, lastExport_);
    const QString path = chosenFile(dialog);
    if (!path.isEmpty())
        lastExport_ = choices.options();
    return {path, lastExport_};
}

QString QtFileDialogs::chooseFolder(QWidget* parent, const QString& title)
{
    return QFileDialog::getExistingDirectory(parent, title);
}
