// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formats/SubtitleFile.h"

#include <optional>
#include <QString>
#include <QStringList>

// An export without the window: IN's text into OUT, whose extension gives the type.
struct ExportRequest {
    QString input;
    QString output;
    // A voice's name or description; empty for the first the engine lists.
    QString voice;
    std::optional<int> rate;
    std::optional<int> volume;
    // A file for each chapter beside OUT, and OUT's name for their playlist.
    bool byChapter = false;
    std::optional<formats::SubtitleFormat> subtitles{};
};

// What the command line asks for. Help, the version and mistakes are answered on the spot, with
// the status the program then ends with.
struct CommandLine {
    QString language;
    std::optional<int> exitStatus;
    std::optional<ExportRequest> exportRequest;
    bool listVoices = false;
    // A voice archive or folder to install, or the name of a voice to remove.
    QString installVoice{};
    QString removeVoice{};
    // A command for the running program: "ReadSelection", "Stop" or "Pause".
    QString remoteCommand{};
    // Start in the notification area, without showing the window.
    bool hidden = false;
};

// Needs no display: `lectorix --help` works anywhere.
CommandLine readCommandLine(const QStringList& arguments);
