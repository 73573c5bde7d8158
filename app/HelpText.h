// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The help message, fixed in the program: language files do not change it.
QString helpCaption();
QString helpText();
