// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FindDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>

namespace editor {

FindDialog::FindDialog(QWidget* parent)
    : SearchDialog(parent, QStringLiteral("查找"))
{
    setObjectName(QStringLiteral("FindDialog1"));
    addFindNextButton();
    auto* direction = new QGroupBox(QStringLiteral("方向"), this);
    auto* up = new QRadioButton(QStringLiteral("向上(&U)"), direction);
    auto* down = new QRadioButton(QStringLiteral("向下(&D)"), direction);
    direction->setObjectName(QStringLiteral("direction"));
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
