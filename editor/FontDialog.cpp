// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/FontDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace editor {

FontDialog::FontDialog(const FontChoice& initial, QWidget* parent)
    : QDialog(parent)
    , fonts_(new QFontDialog(initial.font, this))
    , colorButton_(new QPushButton(this))
    , color_(initial.color)
{
    setWindowTitle(fonts_->windowTitle());
    fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setVisible(true);
    colorButton_->setObjectName(QStringLiteral("color"));
    auto* label = new QLabel(tr("Colo&r:"), this);
    label->setBuddy(colorButton_);
    connect(colorButton_, &QPushButton::clicked, this, &FontDialog::chooseColor);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label);
    bottom->addWidget(colorButton_);
    bottom->addStretch();
    bottom->addWidget(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(bottom);
    showColor();
}

FontChoice FontDialog::choice() const
{
    return {fonts_->currentFont(), color_};
}

void FontDialog::chooseColor()
{
    const QColor chosen = QColorDialog::getColor(color_, this);
    if (!chosen.isValid())
        return;
    color_ = chosen;
    showColor();
}

void FontDialog::showColor()
{
    QPixmap swatch(32, 16);
    swatch.fill(color_);
    colorButton_->setIcon(swatch);
    colorButton_->setIconSize(swatch.size());
    colorButton_->setToolTip(color_.name());
}

} // namespace editor
