// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/RemoteCommand.h"

#include "platform/RemoteControl.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

namespace {

// A program started for the command takes this long at most to be reachable.
constexpr int StartTimeoutMs = 15000;
constexpr int StartPollMs = 50;

bool isRunning(const QDBusConnection& bus)
{
    return bus.interface()->isServiceRegistered(QLatin1String(platform::RemoteControl::Service));
}

bool startHidden(const QDBusConnection& bus)
{
    if (!QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                 {QStringLiteral("--hidden")}))
        return false;
    QElapsedTimer waited;
    waited.start();
    while (!isRunning(bus) && !waited.hasExpired(StartTimeoutMs))
        QThread::msleep(StartPollMs);
    return isRunning(bus);
}

int fail(const char* reason)
{
    std::fprintf(stderr, "lectorix: %s\n", reason);
    return 1;
}

} // namespace

int runRemoteCommand(int& argc, char** argv, const CommandLine& commandLine)
{
    const QCoreApplication application(argc, argv);
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return fail("there is no session bus to reach Lectorix through");
    const bool reading = commandLine.remoteCommand == QLatin1String("ReadSelection");
    if (!isRunning(bus)) {
        if (!reading)
            return 0;
        if (!startHidden(bus))
            return fail("Lectorix could not be started");
    }
    const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(
        QLatin1String(platform::RemoteControl::Service),
        QLatin1String(platform::RemoteControl::Path),
        QLatin1String(platform::RemoteControl::Service), commandLine.remoteCommand));
    if (reply.type() == QDBusMessage::ErrorMessage)
        return fail(qPrintable(reply.errorMessage()));
    return 0;
}
