// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/EditorMenu.h"

#include "app/MenuItems.h"

EditorMenu::EditorMenu(QWidget& window)
    : PMRight(new QMenu(&window))
{
    PMRight->setObjectName(QStringLiteral("PMRight"));
    NNCut = addItem(*PMRight, window, "NNCut", QStringLiteral("剪切(&X)"));
    NNcopy = addItem(*PMRight, window, "NNcopy", QStringLiteral("复制(&C)"));
    NNPaste = addItem(*PMRight, window, "NNPaste", QStringLiteral("粘贴(&P)"));
    PMRight->addSeparator();
    NNAloud = addItem(*PMRight, window, "NNAloud", QStringLiteral("朗读(&S)"));
    NNPause = addItem(*PMRight, window, "NNPause", QStringLiteral("暂停(&U)"));
    NNStop = addItem(*PMRight, window, "NNStop", QStringLiteral("停止(&O)"));
}
