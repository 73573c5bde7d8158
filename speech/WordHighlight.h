// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "speech/EditorText.h"
#include "speech/Voice.h"

#include <chrono>
#include <memory>
#include <optional>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QObject>
#include <QRect>
#include <QString>

class QTextEdit;

namespace speech {

// Marks the word being heard as an extra selection of the editor, so its document, formatting,
// selection, undo history and modified state stay as they are, and keeps the word in view unless
// the user scrolled lately. An edit that moves or changes the text being read ends the marking for
// that reading.
class WordHighlight {
public:
    static constexpr std::chrono::milliseconds UserScrollRespected{4000};

    explicit WordHighlight(QTextEdit& editor,
                           std::chrono::milliseconds userScrollRespected = UserScrollRespected);
    ~WordHighlight();
    WordHighlight(const WordHighlight&) = delete;
    WordHighlight& operator=(const WordHighlight&) = delete;

    // Follows the words of the stream that reads `range`; `read` is the text the voice has of it
    // so far, to tell an edit from a change of format.
    void follow(long stream, EditorRange range, std::shared_ptr<const QString> read);
    // The editor position of the word heard, where it is in the text followed.
    std::optional<int> wordHeard(const WordEvent& event);
    void streamEnded(long stream);
    // Stops following and takes the mark away.
    void clear();

    // The range of the reading followed, until it ends, is stopped or its text is edited.
    std::optional<EditorRange> followed() const;

private:
    void contentsChanged(int position, int removed, int added);
    bool readTextChanged(int position, int length) const;
    EditorRange wordAt(int position) const;
    void mark(EditorRange word);
    void unmark();
    void keepInView(EditorRange word);
    QRect shownRect(EditorRange word) const;
    void scrollBy(int dx, int dy);

    QTextEdit& editor_;
    // Ends the connections to the editor's parts with this object.
    QObject connections_;
    const std::chrono::milliseconds userScrollRespected_;
    long stream_ = 0;
    EditorRange range_;
    std::shared_ptr<const QString> read_;
    EditorRange marked_;
    QMetaObject::Connection documentWatch_;
    QElapsedTimer userScrolled_;
    bool scrolling_ = false;
};

// The text, with what the voice takes of it kept in `taken` as well, without a copy.
DeferredText sharingWhatIsTaken(DeferredText text, const std::shared_ptr<QString>& taken);

} // namespace speech
