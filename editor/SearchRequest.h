// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace editor {

struct SearchOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

// What a press of the find dialog's Find Next asks for.
struct SearchRequest {
    QString findText;
    SearchOptions options;
};

// What a press of the replace dialog's Replace or Replace All asks for.
struct ReplaceRequest {
    SearchRequest search;
    QString replacement;
    bool all = false;
};

} // namespace editor
