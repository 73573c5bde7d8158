#pragma once

#include "platform/WebBrowser.h"

#include <memory>
#include <QTimer>

class QWebEnginePage;

namespace platform {

// The browser realised by Qt WebEngine. Its page, and with it Chromium's processes, is made on
// the first navigation, not before. While a page loads, the busy cursor shows (the window still
// answers), for at most LoadingCursorLimit.
class WebEngineBrowser final : public WebBrowser {
public:
    static constexpr std::chrono::seconds LoadingCursorLimit{30};

    WebEngineBrowser();
    ~WebEngineBrowser() override;

    void Navigate(const QString& address) override;
    void setDocumentCompleteHandler(std::function<void()> handler) override;
    void readBodyText(std::function<void(const QString&)> handler) override;

private:
    QWebEnginePage& page();
    void showLoading(bool loading);

    std::function<void()> documentComplete_;
    std::unique_ptr<QWebEnginePage> page_;
    QTimer loadingCursorLimit_;
    bool loadingCursorShown_ = false;
};

} // namespace platform
