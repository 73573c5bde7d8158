// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "voices/InstalledVoices.h"

#include <QTreeWidget>

// The voice library's list: one row for each installed voice. Its caption is the columns' titles
// joined by "|", so that a language file gives them as one text.
class VoiceListView final : public QTreeWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    VoiceListView(QWidget* parent, const QString& caption);

    QString caption() const;
    void setCaption(const QString& caption);

    // A voice that cannot be used says why in its language's column, through `unusable`, whose
    // "%1" is the reason.
    void showVoices(const QList<voices::InstalledVoice>& voices, const QString& unusable);
    // The name of the voice chosen in the list, or none.
    QString chosenName() const;
};
