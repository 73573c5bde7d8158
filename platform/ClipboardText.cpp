// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ClipboardText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <stdexcept>

namespace platform {

namespace {

// KeePassXC, KDE's own password manager and others set this hint on the secrets they copy.
bool isSecret(const QMimeData& content)
{
    return content.data(QStringLiteral("x-kde-passwordManagerHint")) == "secret";
}

std::optional<QString> textOf(QClipboard::Mode mode)
{
    const QMimeData* content = QGuiApplication::clipboard()->mimeData(mode);
    if (!content)
        throw std::runtime_error("Cannot open clipboard");
    if (!content->hasText() || isSecret(*content))
        return std::nullopt;
    QString text = content->text();
    if (const qsizetype end = text.indexOf(QChar(u'\0')); end >= 0)
        text.truncate(end);
    return text;
}

} // namespace

std::optional<QString> clipboardText()
{
    return textOf(QClipboard::Clipboard);
}

QString selectionOrClipboardText()
{
    if (QGuiApplication::clipboard()->supportsSelection())
        if (const std::optional<QString> selected = textOf(QClipboard::Selection);
            selected && !selected->trimmed().isEmpty())
            return *selected;
    return clipboardText().value_or(QString());
}

} // namespace platform
