// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>

namespace formats {

class ParagraphBuilder;

// Adds the text of an XHTML document's body as paragraphs: each block element (paragraph,
// heading, list item, table cell ...) and each line break ends one, headings keep their level,
// and scripts, styles, images, and ruby readings are left out. A document that is not
// well-formed XML is read by the lenient HTML reader instead.
void appendXhtmlText(const QByteArray& document, ParagraphBuilder& paragraphs);

} // namespace formats
