// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace speech {

// The longest file name the file system takes, in bytes.
constexpr qsizetype MaxFileNameBytes = 255;

// The text without the blanks and controls at its ends.
QString trimmedBelow33(const QString& text);

// The file name of a line of text, before ".wav": blanks and controls trimmed, characters no file
// name may hold made blanks, the index in front, and shortened to what the file system takes.
QString lineFileName(int index, const QString& line);

// "NN - title.ext" for the chapter numbered from 1, as made for a line, its number with as many
// digits as the last one's and at least two, so the files sort in their order.
QString chapterFileName(int number, int count, const QString& title, const QString& suffix);

} // namespace speech
