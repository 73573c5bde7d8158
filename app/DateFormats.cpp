#include "app/DateFormats.h"

DateFormats& processDateFormats()
{
    static DateFormats formats;
    return formats;
}
