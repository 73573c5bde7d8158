// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The folders the program keeps its files in. Every path returned ends in "/".
constexpr int CSIDL_APPDATA = 26;
constexpr int CSIDL_SYSTEM = 37;

// The folder of a special folder number, without a closing "/"; empty for an unknown number.
QString GetSpecialFolderPath(int folder);
// The file name without folder and extension (from the last "." on).
QString GetExeBaseName(const QString& path);
QString GetAppDataPath();
QString GetSystemPath();
QString GetWindowsPath();
// The data folder of the running program (or of the one at `executablePath`), created with every
// missing folder above it; throws when it cannot be made.
QString GetDataPath();
QString GetDataPath(const QString& executablePath);
