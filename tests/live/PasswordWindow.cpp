// SPDX-License-Identifier: GPL-3.0-or-later

// A program of another user on the desktop: a plain field and a password field. Each line on
// standard input names the field to focus; "focused NAME" answers once it has the focus.

#include <cstdio>
#include <QApplication>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QVBoxLayout>
#include <QWidget>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* plain = new QLineEdit(&window);
    auto* password = new QLineEdit(&window);
    password->setEchoMode(QLineEdit::Password);
    layout->addWidget(plain);
    layout->addWidget(password);
    window.show();
    window.activateWindow();
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char line[64] = {};
        if (::read(STDIN_FILENO, line, sizeof line - 1) <= 0) {
            QApplication::quit();
            return;
        }
        const bool secret = QByteArray(line).trimmed() == "password";
        window.activateWindow();
        (secret ? password : plain)->setFocus();
        std::printf("focused %s\n", secret ? "password" : "plain");
        std::fflush(stdout);
    });
    return QApplication::exec();
}
