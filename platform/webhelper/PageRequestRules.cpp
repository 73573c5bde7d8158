// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/webhelper/PageRequestRules.h"

namespace platform {

void PageRequestRules::interceptRequest(QWebEngineUrlRequestInfo& request)
{
    const QString scheme = request.requestUrl().scheme();
    if (request.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeWebSocket ||
        scheme == QLatin1String("ws") || scheme == QLatin1String("wss"))
        request.block(true);
}

} // namespace platform
