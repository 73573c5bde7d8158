// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/ConversionLock.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace documents {

namespace {

constexpr std::chrono::milliseconds LookAgainAfter{100};

void waitPainting(std::chrono::milliseconds time)
{
    QEventLoop waiting;
    QTimer::singleShot(time, &waiting, &QEventLoop::quit);
    waiting.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

ConversionLock::ConversionLock(const QString& dataFolder, std::chrono::milliseconds limit,
                               const QString& document)
    : lock_(dataFolder + QStringLiteral("convert.lock"))
{
    // A conversion may run longer than any fixed age, so only a holder that ended leaves a
    // stale lock.
    lock_.setStaleLockTime(std::chrono::milliseconds::zero());
    const QDeadlineTimer deadline(limit);
    while (!lock_.tryLock()) {
        if (deadline.hasExpired())
            throw Busy(QStringLiteral("Cannot open file \"%1\". Another copy of the program is "
                                      "converting a document")
                           .arg(document)
                           .toStdString());
        waitPainting(LookAgainAfter);
    }
}

} // namespace documents
