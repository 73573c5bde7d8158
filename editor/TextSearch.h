// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editor/SearchRequest.h"

#include <optional>
#include <QString>

class QTextDocument;

namespace editor {

// Forward search over the editor's text as it was when the search was made, matching as the
// editor does: no match runs across the end of a paragraph, a no-break space and a blank match
// each other, and a whole word has no letter, digit or joining mark right before or after it.
// Positions are the document's.
class TextSearch {
public:
    explicit TextSearch(const QTextDocument& document);

    // The first match that starts at or after `from`.
    std::optional<qsizetype> find(QString what, qsizetype from, SearchOptions options) const;
    // The match at `at` was replaced in the document. Later searches run after it and see the
    // replacement's last character before its end; positions stay those of the text searched.
    void noteReplaced(qsizetype at, qsizetype length, const QString& replacement);

private:
    bool isWholeWord(qsizetype at, qsizetype length) const;
    char32_t characterBefore(qsizetype at) const;

    QString text_;
    qsizetype replacedEnd_ = -1;
    char32_t charBeforeReplacedEnd_ = 0;
};

} // namespace editor
