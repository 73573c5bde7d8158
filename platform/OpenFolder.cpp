// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/OpenFolder.h"

#include <QDesktopServices>
#include <QUrl>

namespace platform {

void openFolder(const QString& folder)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace platform
