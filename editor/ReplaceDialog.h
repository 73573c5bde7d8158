#pragma once

#include "editor/SearchDialog.h"

class QLineEdit;

namespace editor {

// The replace dialog: Replace and Replace All, and a Find Next that does nothing of its own.
class ReplaceDialog final : public SearchDialog {
    Q_OBJECT

public:
    explicit ReplaceDialog(QWidget* parent);

    // With the button last pressed.
    ReplaceRequest request() const;

signals:
    void replace();

private:
    void press(bool all);

    QLineEdit* replacement_ = nullptr;
    bool all_ = false;
};

} // namespace editor
