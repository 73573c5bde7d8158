// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/SettingsFile.h"
#include "formats/ReadingPositions.h"

#include <functional>
#include <optional>
#include <QStringList>

// set.ini, files.ini and positions.json in the data folder: read by the start-up, written at exit.
// Only what the start-up read and applied is written back. A start-up cut short leaves the controls
// with values that were never the user's (volume 0 among them), and writing those would wipe out
// the user's settings. A data folder that cannot be made is reported once; from then on the
// settings keep their defaults and nothing is written, so whatever stands in the folder's place
// stays.
class DataFiles {
public:
    explicit DataFiles(std::function<void(const QString&)> reportError);

    StoredSettings readSettings(int wordWrap);
    // The window now shows the settings read.
    void settingsApplied() { settingsApplied_ = true; }
    // Does nothing unless the settings were applied.
    void writeSettings(const SettingsAtExit& settings);

    // Nothing when there is no history file.
    std::optional<QStringList> readHistory();
    // The address box now holds the history read.
    void historyApplied() { historyApplied_ = true; }
    // Does nothing unless the history was read, if there was one, and applied, or when there are
    // no entries.
    void writeHistory(const QStringList& entries);

    // Where reading stopped in documents opened from files; they are kept nowhere when the data
    // folder cannot be made.
    formats::ReadingPositions& readingPositions();

private:
    std::optional<QString> path(const char* name);

    std::function<void(const QString&)> reportError_;
    std::optional<formats::ReadingPositions> readingPositions_;
    bool folderMissing_ = false;
    bool settingsApplied_ = false;
    bool historyApplied_ = false;
    bool historyUnreadable_ = false;
};
