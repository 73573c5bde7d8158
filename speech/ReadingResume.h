// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formats/ReadingPositions.h"

#include <optional>
#include <QObject>

class QTextEdit;

namespace speech {

class ReadingControl;

// Remembers where reading stopped in each document opened from a file, as the last word heard,
// and puts the caret back there, for Read aloud to go on from, when the same file is opened
// again. Text that takes the whole editor's place ends the document.
class ReadingResume {
public:
    ReadingResume(QTextEdit& editor, ReadingControl& reading, formats::ReadingPositions& positions);
    ~ReadingResume();
    ReadingResume(const ReadingResume&) = delete;
    ReadingResume& operator=(const ReadingResume&) = delete;

    // The editor holds the text of the file at the path now. Writes the positions.
    void opened(const QString& path);
    // Writes the positions, the one in the document open now among them; empty when written,
    // otherwise why not.
    std::optional<QString> save();

private:
    struct Document {
        QString path;
        formats::FileStamp stamp;
        int heard = -1;
    };

    void contentsChanged(int position, int removed, int added);
    void rememberCurrent();

    QTextEdit& editor_;
    ReadingControl& reading_;
    formats::ReadingPositions& positions_;
    // Ends the connection to the editor's document with this object.
    QObject connections_;
    std::optional<Document> current_;
    int length_ = 0;
};

} // namespace speech
