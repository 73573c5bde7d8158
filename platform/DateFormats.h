// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// How the process writes dates, in the pattern letters of the date and time command ("yyyy-mm-dd":
// year, month, day); set once at start-up.
struct DateFormats {
    QString separator;
    QString shortDate;
    QString longDate;
};

DateFormats& processDateFormats();
