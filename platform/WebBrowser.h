// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <QString>

namespace platform {

// The browser the window never shows. The program relies on three things only: navigating to
// an address, being told when a document is complete, and reading the rendered text of the
// top-level document's body; and on hearing when a page cannot be read at all.
class WebBrowser {
public:
    virtual ~WebBrowser() = default;

    // Starts loading the address; throws std::runtime_error when the browser refuses it.
    virtual void Navigate(const QString& address) = 0;
    // The handler runs on each document-complete notification.
    virtual void setDocumentCompleteHandler(std::function<void()> handler) = 0;
    // Hands the body's text to the handler once it is read; without a document or a body the
    // handler is not called.
    virtual void readBodyText(std::function<void(const QString&)> handler) = 0;
    // Stops and unloads the page: its scripts and its timers end, and it completes no more.
    virtual void Stop() = 0;
    // The handler hears why a page the browser went to cannot be read after all.
    virtual void setFailureHandler(std::function<void(const QString&)> handler) = 0;
};

} // namespace platform
