// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/RemoteControl.h"

#include <QDBusConnection>

namespace platform {

RemoteControl::RemoteControl(Commands commands, QObject* parent)
    : QObject(parent)
    , commands_(std::move(commands))
    , connectionName_(QStringLiteral("lectorix-remote-%1").arg(quintptr(this)))
{
}

RemoteControl::~RemoteControl()
{
    QDBusConnection::disconnectFromBus(connectionName_);
}

bool RemoteControl::start()
{
    QDBusConnection bus =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName_);
    return bus.isConnected() &&
           bus.registerObject(QLatin1String(Path), this, QDBusConnection::ExportScriptableSlots) &&
           bus.registerService(QLatin1String(Service));
}

void RemoteControl::ReadSelection()
{
    commands_.readSelection();
}

void RemoteControl::Stop()
{
    commands_.stop();
}

void RemoteControl::Pause()
{
    commands_.pause();
}

} // namespace platform
