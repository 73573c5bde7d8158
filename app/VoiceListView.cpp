// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/VoiceListView.h"

#include <QLocale>

namespace {

enum Column { Name, Language, Speakers, Size, Licence };

QTreeWidgetItem* rowOf(const voices::InstalledVoice& voice, const QString& unusable)
{
    auto* row = new QTreeWidgetItem;
    row->setText(Name, voice.name);
    if (voice.problem.isEmpty()) {
        row->setText(Language, voice.language);
        row->setText(Speakers, QString::number(voice.speakers));
    } else {
        row->setText(Language, unusable.arg(voice.problem));
    }
    row->setText(Size, QLocale().formattedDataSize(voice.bytes));
    row->setText(Licence, voice.licence);
    row->setTextAlignment(Speakers, Qt::AlignRight | Qt::AlignVCenter);
    row->setTextAlignment(Size, Qt::AlignRight | Qt::AlignVCenter);
    return row;
}

} // namespace

VoiceListView::VoiceListView(QWidget* parent, const QString& caption)
    : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setAllColumnsShowFocus(true);
    setUniformRowHeights(true);
    setCaption(caption);
}

QString VoiceListView::caption() const
{
    QStringList titles;
    for (int column = 0; column < headerItem()->columnCount(); ++column)
        titles << headerItem()->text(column);
    return titles.join(u'|');
}

void VoiceListView::setCaption(const QString& caption)
{
    setHeaderLabels(caption.split(u'|'));
}

void VoiceListView::showVoices(const QList<voices::InstalledVoice>& voices, const QString& unusable)
{
    const QString chosen = chosenName();
    clear();
    for (const voices::InstalledVoice& voice : voices) {
        QTreeWidgetItem* row = rowOf(voice, unusable);
        addTopLevelItem(row);
        if (voice.name == chosen)
            setCurrentItem(row);
    }
    for (int column = 0; column < columnCount(); ++column)
        resizeColumnToContents(column);
}

QString VoiceListView::chosenName() const
{
    const QTreeWidgetItem* row = currentItem();
    return row ? row->text(Name) : QString();
}
