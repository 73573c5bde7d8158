// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

class QTextEdit;

namespace documents {

// Rich at start; only saving changes it.
enum class EditorFileMode { Rich, Plain };

// Loads files into the editor by the rule of its file mode: rich takes RTF as formatted text,
// plain shows any file but an ".rtf" one as text. Text that is not RTF, or does not parse as RTF,
// is decoded by its byte-order mark in both.
class EditorLoader {
public:
    // Larger files are refused unread: past this the editor's layout of a text grows faster than
    // the text, to minutes from 100 MB, and a key typed holds up the window for most of a second
    // (open-bench measures both).
    static constexpr qint64 MaxFileBytes = 50 << 20;

    explicit EditorLoader(QTextEdit& editor);

    EditorFileMode mode() const { return mode_; }
    void setMode(EditorFileMode mode) { mode_ = mode; }

    // Replaces the editor's whole content. Throws "Cannot open file "<path>". <reason>", also for
    // what is not a regular file or is larger than MaxFileBytes, before the editor is touched.
    void load(const QString& path);

private:
    void loadRichText(const QByteArray& bytes);

    QTextEdit& editor_;
    EditorFileMode mode_ = EditorFileMode::Rich;
};

} // namespace documents
