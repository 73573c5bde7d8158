#pragma once

#include <exception>
#include <QString>

// The message box that shows an error no handler caught.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;

    // The message as shown: with a full stop appended when its last character sorts after ".".
    static QString textFor(const QString& message);

    virtual void show(const QString& message) = 0;

    // Runs a handler; an error that escapes it is shown here. Returns whether it ended without one.
    template <typename Handler> bool reportErrorsOf(Handler&& handler)
    {
        try {
            handler();
            return true;
        } catch (const std::exception& error) {
            show(QString::fromUtf8(error.what()));
            return false;
        }
    }
};

// An error icon, an OK button and the application's title as caption.
class QtErrorBox final : public ErrorBox {
public:
    void show(const QString& message) override;
};
