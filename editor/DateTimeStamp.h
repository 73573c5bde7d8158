// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QDateTime;
class QString;
struct DateFormats;

namespace editor {

// The date in the process's short date format, then, unless it is exactly midnight, a blank and
// the time in the user's long time format.
QString dateTimeStamp(const QDateTime& moment, const DateFormats& formats);

} // namespace editor
