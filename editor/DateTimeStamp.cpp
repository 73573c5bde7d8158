// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/DateTimeStamp.h"

#include "platform/DateFormats.h"

#include <array>
#include <ctime>
#include <QDateTime>

namespace editor {
namespace {

// A run of "y", "m" or "d" in the date pattern, written as the date command writes it: four or
// two digits of the year, the month or day with at least as many digits as letters (two at
// most). A "/" stands for the separator; anything else is copied.
QString formatDate(const QDate& date, const DateFormats& formats)
{
    const QString& pattern = formats.shortDate;
    QString text;
    for (qsizetype at = 0; at < pattern.size();) {
        const QChar letter = pattern[at].toLower();
        qsizetype run = 1;
        while (at + run < pattern.size() && pattern[at + run].toLower() == letter)
            ++run;
        const int digits = static_cast<int>(std::min<qsizetype>(run, 2));
        if (letter == u'y')
            text += run > 2 ? QString::number(date.year()).rightJustified(4, u'0')
                            : QString::number(date.year() % 100).rightJustified(2, u'0');
        else if (letter == u'm')
            text += QString::number(date.month()).rightJustified(digits, u'0');
        else if (letter == u'd')
            text += QString::number(date.day()).rightJustified(digits, u'0');
        else if (letter == u'/')
            text += QString(formats.separator).repeated(run);
        else
            text += pattern.mid(at, run);
        at += run;
    }
    return text;
}

QString longTime(const QTime& time)
{
    std::tm parts{};
    parts.tm_hour = time.hour();
    parts.tm_min = time.minute();
    parts.tm_sec = time.second();
    std::array<char, 128> buffer{};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), "%X", &parts);
    return QString::fromLocal8Bit(buffer.data(), static_cast<qsizetype>(length));
}

} // namespace

QString dateTimeStamp(const QDateTime& moment, const DateFormats& formats)
{
    QString stamp = formatDate(moment.date(), formats);
    if (moment.time() != QTime(0, 0))
        stamp += QLatin1Char(' ') + longTime(moment.time());
    return stamp;
}

} // namespace editor
