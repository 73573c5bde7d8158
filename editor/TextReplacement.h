// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <vector>

class QTextCursor;
class QTextDocument;

namespace editor {

// Replaces `length` characters at `start` by `text`, in the format of the last character replaced.
void replaceRange(QTextCursor& cursor, qsizetype start, qsizetype length, const QString& text);

// Replaces matches of `length` characters, given in rising positions of the text as it was, as
// one edit for Undo. Returns where the last replacement begins in the text as it is now.
qsizetype replaceMatches(QTextDocument& document, const std::vector<qsizetype>& matches,
                         qsizetype length, const QString& replacement);

} // namespace editor
