// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editor/SearchDialog.h"

class QLineEdit;

namespace editor {

// The replace dialog: Find Next, Replace and Replace All.
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
