#pragma once

#include "app/MessageBoxes.h"

#include <QStringList>

namespace testsupport {

// Records what the message boxes would have shown.
class RecordingMessageBoxes final : public MessageBoxes {
public:
    void showError(const QString& message) override { errors << errorText(message); }
    void showMessage(const QString& caption, const QString& text) override
    {
        messages << caption + QLatin1Char('|') + text;
    }

    QStringList errors;
    QStringList messages;
};

// The message boxes of the application object these tests run under.
RecordingMessageBoxes& applicationMessageBoxes();

} // namespace testsupport
