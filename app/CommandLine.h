#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// What the command line asks for. Help, the version and mistakes are answered on the spot, with
// the status the program then ends with.
struct CommandLine {
    QString language;
    std::optional<int> exitStatus;
};

// Needs no display: `lectorix --help` works anywhere.
CommandLine readCommandLine(const QStringList& arguments);
