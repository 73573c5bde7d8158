#pragma once

#include <QString>

namespace platform {

// The folder that holds the program's own shared libraries: beside the executable, as in the
// build tree.
QString libraryFolder();

} // namespace platform
