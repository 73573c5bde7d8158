#include "app/MessageBoxes.h"

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
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                          errorText(message), QMessageBox::Ok);
}

void QtMessageBoxes::showMessage(const QString& caption, const QString& text)
{
    QMessageBox::information(nullptr, caption, text, QMessageBox::Ok);
}
