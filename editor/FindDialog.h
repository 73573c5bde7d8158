// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editor/SearchDialog.h"

namespace editor {

// The find dialog. It offers the direction, Down preset; searches run forward whichever is
// chosen.
class FindDialog final : public SearchDialog {
    Q_OBJECT

public:
    explicit FindDialog(QWidget* parent);
};

} // namespace editor
