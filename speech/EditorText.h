#pragma once

#include "speech/Voice.h"

#include <QString>

class QTextEdit;

namespace speech {

// The editor's selection, or its whole text when nothing is selected, as plain text: paragraph
// ends are line feeds.
QString selectionOrWholeText(const QTextEdit& editor);

// The same text for reading aloud: a long one comes deferred, so its beginning is heard at once.
DeferredText selectionOrWholeTextToRead(const QTextEdit& editor);

} // namespace speech
