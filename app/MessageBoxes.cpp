// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MessageBoxes.h"

#include <cstdio>
#include <QApplication>
#include <QMessageBox>

QString MessageBoxes::errorText(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void QtMessageBoxes::showError(const QString& message)
{
    if (toStandardError_) {
        std::fprintf(stderr, "lectorix: %s\n", qPrintable(errorText(message)));
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                          errorText(message), QMessageBox::Ok);
}

void QtMessageBoxes::showMessage(const QString& caption, const QString& text)
{
    if (toStandardError_) {
        std::fprintf(stderr, "lectorix: %s\n", qPrintable(text));
        return;
    }
    QMessageBox::information(nullptr, caption, text, QMessageBox::Ok);
}

bool QtMessageBoxes::askYesNo(QWidget* window, const QString& question)
{
    if (toStandardError_)
        return false;
    return QMessageBox::question(window, QApplication::applicationName(), question,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
