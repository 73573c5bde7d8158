// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace platform {

// Where the program's own files are, found from the program's folder, so that the build tree and
// any installed prefix, moved or not, both work. In the build tree they all lie beside the program;
// installed, the prefix's layout holds (libexec/lectorix/, lib/lectorix/ and share/lectorix/ by
// default). A prefix counts as installed when its helper lies where an installation puts it, so
// a helper left in bin/ by an older installation is not taken.
class ProgramFiles {
public:
    explicit ProgramFiles(const QString& programFolder);
    static ProgramFiles ofRunningProgram();

    // The synthesis helper, lectorix-synth.
    QString helperPath() const;
    // The neural synthesis helper, lectorix-neural.
    QString neuralHelperPath() const;
    // The web page reader, lectorix-web.
    QString webHelperPath() const;
    // The folder that holds the program's own shared libraries.
    QString libraryFolder() const;
    // The folder that holds the "Language" folder, ending in a separator.
    QString dataFolder() const;

private:
    QString helper(const QString& name) const;
    QString folder(const char* installedFromBin) const;

    QString programFolder_;
    bool installed_;
};

} // namespace platform
