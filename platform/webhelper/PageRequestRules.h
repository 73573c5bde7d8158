// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWebEngineUrlRequestInterceptor>

namespace platform {

// What a page may ask for beyond itself. Only a page's text is ever wanted, so no page keeps a
// channel open to anywhere. (Chromium itself keeps pages from the web away from local files.)
class PageRequestRules final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo& request) override;
};

} // namespace platform
