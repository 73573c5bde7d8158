#pragma once

#include "platform/PageRequestRules.h"
#include "platform/WebBrowser.h"

#include <memory>
#include <QTimer>

class QWebEnginePage;

namespace platform {

// The browser realised by Qt WebEngine. Its page, and with it Chromium's processes, is made on
// the first navigation, not before. While a page loads, the busy cursor shows (the window still
// answers), for at most the given time: a page may never complete.
class WebEngineBrowser final : public WebBrowser {
public:
    explicit WebEngineBrowser(
        std::chrono::milliseconds loadingCursorLimit = std::chrono::seconds(30));
    ~WebEngineBrowser() override;

    void Navigate(const QString& address) override;
    void setDocumentCompleteHandler(std::function<void()> handler) override;
    void readBodyText(std::function<void(const QString&)> handler) override;
    void Stop() override;

private:
    QWebEnginePage& page();
    void showLoading(bool loading);

    std::function<void()> documentComplete_;
    PageRequestRules requestRules_;
    std::unique_ptr<QWebEnginePage> page_;
    QTimer loadingCursorLimit_;
    bool loadingCursorShown_ = false;
};

} // namespace platform
