// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/webhelper/PageRequestRules.h"

#include <functional>
#include <memory>
#include <optional>
#include <QString>

class QUrl;
class QWebEnginePage;

namespace platform {

// The page the helper reads, never shown, made on the first navigation and unloaded by stop.
// Only its text is wanted: a local page runs no script, no page reaches the user's files or keeps
// a channel open (PageRequestRules).
class PageReader {
public:
    explicit PageReader(std::function<void()> documentComplete);
    ~PageReader();
    PageReader(const PageReader&) = delete;
    PageReader& operator=(const PageReader&) = delete;

    void navigate(const QUrl& url);
    // The body's text, or none without a page, a document or a body.
    void readBodyText(std::function<void(std::optional<QString>)> handler);
    // A page going away may still report a load; nobody is left to hear it.
    void stop();

private:
    QWebEnginePage& page();

    std::function<void()> documentComplete_;
    PageRequestRules requestRules_;
    std::unique_ptr<QWebEnginePage> page_;
};

} // namespace platform
