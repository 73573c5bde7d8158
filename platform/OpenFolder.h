#pragma once

#include <QString>

namespace platform {

// Opens the folder in the desktop's file manager.
void openFolder(const QString& folder);

} // namespace platform
