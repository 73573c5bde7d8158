// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editor/SearchRequest.h"

#include <functional>

class QTextEdit;

namespace editor {

// Find Next, Replace and Replace All in the editor. Find Next and Replace run forward from the end
// of the selection to the end of the text and never wrap around; what is found becomes the
// selection, so the next press goes on after it.
class FindReplace {
public:
    using ShowMessage = std::function<void(const QString& caption, const QString& text)>;

    FindReplace(QTextEdit& editor, ShowMessage showMessage);

    // Not found: the caret goes to the end of the former selection and "没有找到:" is shown.
    void findNext(const SearchRequest& request);
    // Each Replace is one edit for Undo, and so is a whole Replace All, which covers the whole
    // text. "替换完毕!" is shown once nothing more is found after the place the press started from.
    void replace(const ReplaceRequest& request);

private:
    void select(qsizetype start, qsizetype length);
    void replaceAll(const ReplaceRequest& request);

    QTextEdit& editor_;
    ShowMessage showMessage_;
};

} // namespace editor
