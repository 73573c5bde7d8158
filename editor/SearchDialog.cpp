// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/SearchDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace editor {

SearchDialog::SearchDialog(QWidget* parent, const QString& title)
    : QDialog(parent)
    , grid_(new QGridLayout(this))
    , findText_(new QLineEdit(this))
    , wholeWord_(new QCheckBox(QStringLiteral("全字匹配(&W)"), this))
    , matchCase_(new QCheckBox(QStringLiteral("区分大小写(&C)"), this))
{
    setWindowTitle(title);
    setModal(false);
    findText_->setObjectName(QStringLiteral("findText"));
    wholeWord_->setObjectName(QStringLiteral("wholeWord"));
    matchCase_->setObjectName(QStringLiteral("matchCase"));
    auto* label = new QLabel(QStringLiteral("查找内容(&N):"), this);
    label->setObjectName(QStringLiteral("lblFindWhat"));
    label->setBuddy(findText_);
    grid_->addWidget(label, 0, 0);
    grid_->addWidget(findText_, 0, 1);
}

void SearchDialog::execute()
{
    show();
    raise();
    activateWindow();
    findText_->setFocus();
}

SearchRequest SearchDialog::searchRequest() const
{
    return {findText_->text(), {matchCase_->isChecked(), wholeWord_->isChecked()}};
}

QPushButton* SearchDialog::addSearchButton(const QString& text, const char* name, int row)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setEnabled(false);
    connect(findText_, &QLineEdit::textChanged, button,
            [button](const QString& findText) { button->setEnabled(!findText.isEmpty()); });
    grid_->addWidget(button, row, 2);
    return button;
}

void SearchDialog::addFindNextButton()
{
    QPushButton* button = addSearchButton(QStringLiteral("查找下一个(&F)"), "findNext", 0);
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &SearchDialog::findNext);
}

void SearchDialog::addOptions(int row, QWidget* beside)
{
    auto* options = new QVBoxLayout;
    options->addWidget(wholeWord_);
    options->addWidget(matchCase_);
    auto* line = new QHBoxLayout;
    line->addLayout(options);
    line->addStretch();
    if (beside)
        line->addWidget(beside);
    grid_->addLayout(line, row, 0, 1, 2);
}

void SearchDialog::addCancel(int row)
{
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    grid_->addWidget(cancel, row, 2, Qt::AlignTop);
}

} // namespace editor
