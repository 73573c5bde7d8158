// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QTextDocument;

namespace speech {

// Sentences as Unicode tells them apart; a paragraph end ends one too. Positions are the
// document's.

// The start of the sentence after the one at the position, or -1 after the last one.
int nextSentenceStart(const QTextDocument& document, int position);
// The start of the sentence before the one at the position, or of the one at the position when it
// is the first.
int previousSentenceStart(const QTextDocument& document, int position);

} // namespace speech
