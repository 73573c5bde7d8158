// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/WebBrowser.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <QByteArray>
#include <QTimer>

class QProcess;

namespace platform {

struct WebMessage;

// The browser realised by the lectorix-web helper, so that Chromium's libraries, its graphics
// and its crashes stay out of the window. The helper starts on the first navigation and lives on
// for the next. While a page loads, the busy cursor shows (the window still answers). A page
// that does not complete within its limit, or whose text does not come within its own, is given
// up with the helper, and so is one whose helper ends: the failure handler hears why.
class WebHelperBrowser final : public WebBrowser {
public:
    explicit WebHelperBrowser(QString helperPath,
                              std::chrono::milliseconds loadLimit = std::chrono::seconds(30),
                              std::chrono::milliseconds readLimit = std::chrono::seconds(10));
    ~WebHelperBrowser() override;
    WebHelperBrowser(const WebHelperBrowser&) = delete;
    WebHelperBrowser& operator=(const WebHelperBrowser&) = delete;

    void Navigate(const QString& address) override;
    void setDocumentCompleteHandler(std::function<void()> handler) override;
    void readBodyText(std::function<void(const QString&)> handler) override;
    void Stop() override;
    void setFailureHandler(std::function<void(const QString&)> handler) override;

    // 0 while none runs.
    qint64 helperProcessId() const;

private:
    void startHelper();
    std::unique_ptr<QProcess> endHelper();
    void discardHelper();
    void send(const WebMessage& message);
    void readAnswers();
    void answered(const WebMessage& answer);
    void helperEnded();
    void giveUp(const QString& reason);
    void showLoading(bool loading);

    QString helperPath_;
    std::unique_ptr<QProcess> helper_;
    QByteArray received_;
    std::function<void()> documentComplete_;
    std::function<void(const QString&)> failed_;
    QString address_;
    std::uint32_t lastNumber_ = 0;
    // The navigation whose completion is awaited, 0 after a stop.
    std::uint32_t navigation_ = 0;
    std::map<std::uint32_t, std::function<void(const QString&)>> readings_;
    QTimer loadLimit_;
    QTimer readLimit_;
    bool loadingCursorShown_ = false;
};

} // namespace platform
