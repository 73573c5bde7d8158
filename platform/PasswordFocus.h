// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>

namespace platform {

// Whether the object that has the focus anywhere on the desktop is a password field, as the
// desktop's accessibility bus (AT-SPI) tells it, so that what is typed there is kept to itself.
// Without an accessibility bus it never is.
class PasswordFocus : public QObject {
    Q_OBJECT

public:
    explicit PasswordFocus(QObject* parent = nullptr);
    ~PasswordFocus() override;

    // Asks the session bus for the accessibility bus and starts listening, without waiting.
    void start();
    // True from the moment a password field takes the focus until another object does; also
    // while the role of a newly focused object is still being asked, so no key slips through.
    bool isPasswordFocused() const { return password_ || asking_; }
    // Whether focus changes are being heard.
    bool isListening() const { return listening_; }

signals:
    void listeningStarted();
    // The role of the object that took the focus is known.
    void focusChanged(bool password);

private slots:
    void stateChanged(const QDBusMessage& event);

private:
    void connectTo(const QString& address);
    void askRole(const QString& application, const QString& object);

    QString connectionName_;
    QString focused_;
    bool password_ = false;
    bool asking_ = false;
    bool listening_ = false;
};

} // namespace platform
