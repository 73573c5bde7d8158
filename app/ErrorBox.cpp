#include "app/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>

QString ErrorBox::textFor(const QString& message)
{
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

void QtErrorBox::show(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationName(),
                          textFor(message), QMessageBox::Ok);
}
