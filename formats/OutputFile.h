// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <QFileDevice>
#include <QString>

namespace formats {

// The file a sound is written to. A regular file, new or old, also one a link leads to, is
// written as a temporary file beside it that takes its name only when complete: a stop, a
// failure, a crash or a second export to the same name never leaves it cut short, and a link
// stays a link. A FIFO or a device is written directly and stays where it is.
class OutputFile {
public:
    // False, with the reason in errorString, when it cannot be created.
    bool open(const QString& path);
    bool isOpen() const { return file_ && file_->isOpen(); }
    QFileDevice& device() { return *file_; }
    QString errorString() const;

    // Puts what was written in place; false, with the reason, when that fails.
    bool commit();
    // Leaves what the path names as it was, short of what a FIFO or device was already given.
    void discard();

private:
    std::unique_ptr<QFileDevice> file_;
};

} // namespace formats
