// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formats/books/BookText.h"

namespace formats {

// Markdown (CommonMark with GitHub's tables and task lists) as it is heard: no markup characters,
// each heading, paragraph, list item, table cell and line of code a paragraph, links by their
// text, images left out, HTML by its text, and a front matter block at the top skipped.
BookText readMarkdown(const QString& markdown);

} // namespace formats
