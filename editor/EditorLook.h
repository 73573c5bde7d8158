// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QFont>

namespace editor {

// The editor's default font with the colour of its text, and its background colour, which
// outlive the session in the settings file.
class EditorLook {
public:
    virtual ~EditorLook() = default;

    virtual QFont defaultFont() const = 0;
    virtual void setDefaultFont(const QFont& font) = 0;
    virtual QColor textColor() const = 0;
    virtual void setTextColor(const QColor& color) = 0;
    virtual QColor backgroundColor() const = 0;
    virtual void setBackgroundColor(const QColor& color) = 0;
};

} // namespace editor
