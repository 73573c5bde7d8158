// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/WebBrowser.h"

#include <QStringList>
#include <stdexcept>

namespace testsupport {

// A browser that notes where it is sent and hands out the body text a test gives it.
class FakeBrowser final : public platform::WebBrowser {
public:
    void Navigate(const QString& address) override
    {
        if (refusing)
            throw std::runtime_error("refused");
        navigated << address;
    }
    void setDocumentCompleteHandler(std::function<void()> handler) override
    {
        complete = std::move(handler);
    }
    void readBodyText(std::function<void(const QString&)> handler) override
    {
        if (!bodyText.isNull())
            handler(bodyText);
    }

    void Stop() override { ++stops; }
    void setFailureHandler(std::function<void(const QString&)> handler) override
    {
        failed = std::move(handler);
    }

    QStringList navigated;
    int stops = 0;
    bool refusing = false;
    // A null text stands for a page without a body.
    QString bodyText;
    std::function<void()> complete;
    std::function<void(const QString&)> failed;
};

} // namespace testsupport
