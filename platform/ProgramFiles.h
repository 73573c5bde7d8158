#pragma once

#include <QString>

namespace platform {

// Where the program's own files are, found from the running program, so that the build tree and
// any installed prefix, moved or not, both work. In the build tree they all lie beside the program;
// installed, the prefix's usual layout holds: bin/, libexec/lectorix/, lib/lectorix/ and
// share/lectorix/.

// The synthesis helper, lectorix-synth.
QString helperPath();
// The folder that holds the program's own shared libraries.
QString libraryFolder();
// The folder that holds the "Language" folder, ending in a separator.
QString dataFolder();

} // namespace platform
