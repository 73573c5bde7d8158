// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TFAbout.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFAbout::TFAbout(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowTitle(QStringLiteral("关于"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(12);
    auto* picture = new QLabel(this);
    picture->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
    auto* product = new QLabel(QApplication::applicationName(), this);
    product->setObjectName(QStringLiteral("lblProduct"));
    QFont large = product->font();
    large.setPointSize(large.pointSize() + 6);
    large.setBold(true);
    product->setFont(large);
    product->setAlignment(Qt::AlignCenter);
    layout->addWidget(product);
    auto* description = new QLabel(QStringLiteral("文本朗读工具"), this);
    description->setObjectName(QStringLiteral("lblDescription"));
    description->setAlignment(Qt::AlignCenter);
    layout->addWidget(description);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("BtnClose"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignCenter);
    setFixedSize(sizeHint());
}

// The box fits the texts it has now, which a language file may have made longer.
void TFAbout::showModal()
{
    if (isVisible())
        return;
    setFixedSize(sizeHint());
    exec();
}
