// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/DateFormats.h"

DateFormats& processDateFormats()
{
    static DateFormats formats;
    return formats;
}
