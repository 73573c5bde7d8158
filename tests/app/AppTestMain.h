#pragma once

#include "app/ErrorBox.h"

#include <QStringList>

namespace testsupport {

// Records what the error box would have shown.
class RecordingErrorBox final : public ErrorBox {
public:
    void show(const QString& message) override { shown << textFor(message); }

    QStringList shown;
};

// The error box of the application object these tests run under.
RecordingErrorBox& applicationErrorBox();

} // namespace testsupport
