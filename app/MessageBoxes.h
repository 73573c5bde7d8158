// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <exception>
#include <QString>

class QWidget;

// The program's message boxes.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // An error as the error box shows it: with a full stop appended when its last character
    // sorts after ".".
    static QString errorText(const QString& message);

    // An error icon, an OK button and the application's title as caption.
    virtual void showError(const QString& message) = 0;
    // A box of its own, not owned by a window, with an OK button only.
    virtual void showMessage(const QString& caption, const QString& text) = 0;
    // A question over the window, under the application's title; whether the answer was yes.
    virtual bool askYesNo(QWidget* window, const QString& question) = 0;

    // Runs a handler; an error that escapes it is shown in the error box. Returns whether it
    // ended without one.
    template <typename Handler> bool reportErrorsOf(Handler&& handler)
    {
        try {
            handler();
            return true;
        } catch (const std::exception& error) {
            showError(QString::fromUtf8(error.what()));
            return false;
        }
    }
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void showError(const QString& message) override;
    void showMessage(const QString& caption, const QString& text) override;
    // While the program closes by a signal, the answer is no.
    bool askYesNo(QWidget* window, const QString& question) override;

    // From now on what would be shown goes to standard error: while the program closes by a
    // signal, nobody is there to press OK, and the session would wait for it.
    void writeToStandardError() { toStandardError_ = true; }

private:
    bool toStandardError_ = false;
};
