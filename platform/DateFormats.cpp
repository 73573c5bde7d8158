#include "platform/DateFormats.h"

DateFormats& processDateFormats()
{
    static DateFormats formats;
    return formats;
}
