// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/IntegerText.h"

#include <algorithm>

std::optional<int> integerFromText(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+'))
        negative = text.at(i++) == u'-';
    int base = 10;
    if (i < text.size() && text.at(i) == u'$') {
        base = 16;
        ++i;
    } else if (text.mid(i, 2).compare(QStringLiteral("0x"), Qt::CaseInsensitive) == 0) {
        base = 16;
        i += 2;
    }
    const QString digits = text.mid(i);
    const auto isDigit = [base](QChar c) {
        return (c >= u'0' && c <= u'9') ||
               (base == 16 && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')));
    };
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        return std::nullopt;
    bool ok = false;
    const qulonglong magnitude = digits.toULongLong(&ok, base);
    const qulonglong limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    if (!ok || magnitude > limit)
        return std::nullopt;
    const auto value = static_cast<qint64>(magnitude);
    return static_cast<int>(static_cast<quint32>(negative ? -value : value));
}
