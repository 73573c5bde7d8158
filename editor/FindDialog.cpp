// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FindDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

namespace editor {

FindDialog::FindDialog(QWidget* parent)
    : SearchDialog(parent, tr("Find"))
{
    setObjectName(QStringLiteral("FindDialog1"));
    addFindNextButton();
    auto* direction = new QGroupBox(tr("Direction"), this);
    auto* up = new QRadioButton(tr("&Up"), direction);
    auto* down = new QRadioButton(tr("&Down"), direction);
    up->setObjectName(QStringLiteral("up"));
    down->setObjectName(QStringLiteral("down"));
    down->setChecked(true);
    auto* directions = new QHBoxLayout(direction);
    directions->addWidget(up);
    directions->addWidget(down);
    addOptions(1, direction);
    addCancel(1);
}

} // namespace editor
