// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/ReplaceDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace editor {

ReplaceDialog::ReplaceDialog(QWidget* parent)
    : SearchDialog(parent, QStringLiteral("替换"))
    , replacement_(new QLineEdit(this))
{
    setObjectName(QStringLiteral("ReplaceDialog1"));
    replacement_->setObjectName(QStringLiteral("replacement"));
    auto* label = new QLabel(QStringLiteral("替换为(&P):"), this);
    label->setObjectName(QStringLiteral("lblReplaceWith"));
    label->setBuddy(replacement_);
    grid().addWidget(label, 1, 0);
    grid().addWidget(replacement_, 1, 1);
    addFindNextButton();
    connect(addSearchButton(QStringLiteral("替换(&R)"), "replace", 1), &QPushButton::clicked, this,
            [this] { press(false); });
    connect(addSearchButton(QStringLiteral("全部替换(&A)"), "replaceAll", 2), &QPushButton::clicked,
            this, [this] { press(true); });
    addOptions(3);
    addCancel(3);
}

ReplaceRequest ReplaceDialog::request() const
{
    return {searchRequest(), replacement_->text(), all_};
}

void ReplaceDialog::press(bool all)
{
    all_ = all;
    emit replace();
}

} // namespace editor
