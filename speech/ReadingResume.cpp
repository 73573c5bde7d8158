// SPDX-License-Identifier: GPL-3.0-or-later

#include "speech/ReadingResume.h"

#include "speech/ReadingControl.h"

#include <QFileInfo>
#include <QTextDocument>
#include <QTextEdit>

namespace speech {

ReadingResume::ReadingResume(QTextEdit& editor, ReadingControl& reading,
                             formats::ReadingPositions& positions)
    : editor_(editor)
    , reading_(reading)
    , positions_(positions)
    , length_(editor.document()->characterCount())
{
    QObject::connect(editor_.document(), &QTextDocument::contentsChange, &connections_,
                     [this](int position, int removed, int added) {
                         contentsChanged(position, removed, added);
                     });
    reading_.setWordHeardHandler([this](int position) {
        if (current_)
            current_->heard = position;
    });
}

ReadingResume::~ReadingResume()
{
    reading_.setWordHeardHandler({});
}

// A file is known by its absolute path, however it was named when opened.
void ReadingResume::opened(const QString& path)
{
    rememberCurrent();
    const QString file = QFileInfo(path).absoluteFilePath();
    current_ = Document{file, formats::FileStamp::of(file)};
    const std::optional<int> position = positions_.positionIn(file, current_->stamp);
    if (position && *position < editor_.document()->characterCount()) {
        QTextCursor caret = editor_.textCursor();
        caret.setPosition(*position);
        editor_.setTextCursor(caret);
        editor_.ensureCursorVisible();
        current_->heard = *position;
    }
    reading_.continueFrom(current_->heard >= 0 ? std::optional(current_->heard) : std::nullopt);
    positions_.save();
}

std::optional<QString> ReadingResume::save()
{
    rememberCurrent();
    return positions_.save();
}

void ReadingResume::rememberCurrent()
{
    if (current_ && current_->heard >= 0)
        positions_.remember(current_->path, current_->stamp, current_->heard);
}

// A change of format leaves the length as it is; text put in place of the whole text is another
// document, whose words heard belong to no file.
void ReadingResume::contentsChanged(int position, int removed, int added)
{
    const int before = length_;
    length_ = editor_.document()->characterCount();
    if (position == 0 && removed >= before - 1 && removed != added && current_) {
        rememberCurrent();
        current_.reset();
    }
}

} // namespace speech
