// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/StoredSettings.h"
#include "formats/ProfileFile.h"

// What the window holds at exit, to be written to the settings file.
struct SettingsAtExit {
    int rate = 0;
    int volume = 0;
    int color = 0;
    QString font;
    int wordWrap = 1;
    bool toolBar = true;
    bool addressBar = true;
    bool progressBar = true;
    bool propertyBar = true;
    bool speakKeyAll = false;
    bool speakLetterDigit = false;
    bool speakLetter = false;
    bool speakDigit = false;
    bool showKeyWord = false;
    bool speakClipBrd = false;
    bool showClipBrdText = false;
    // The chosen voice's index, or -1 when none is chosen.
    int engine = -1;
    // Empty while the interface follows the desktop's language.
    QString language;
    // None while the user has never chosen the key; empty for no key.
    std::optional<QString> readSelectionKey;
};

// set.ini: every key in the section "set", read once at start and written once at exit.
class SettingsFile {
public:
    explicit SettingsFile(const QString& path);

    // Absent keys and values that do not convert give the defaults; `wordWrap` is the editor's.
    StoredSettings read(int wordWrap) const;
    // In the order and the key spellings the file has always had. Throws "Unable to write to
    // <path>" and writes nothing further when a key cannot be written.
    void write(const SettingsAtExit& settings);

private:
    QString readText(const char* key, const QString& defaultValue) const;
    int readInteger(const char* key, int defaultValue) const;
    bool readBoolean(const char* key, bool defaultValue) const;
    void writeText(const char* key, const QString& value);
    void writeInteger(const char* key, int value);
    void writeBoolean(const char* key, bool value);

    formats::ProfileFile profile_;
};
