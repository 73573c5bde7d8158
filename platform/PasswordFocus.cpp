// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/PasswordFocus.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>

namespace platform {

namespace {

// ATSPI_ROLE_PASSWORD_TEXT of AT-SPI's role list.
constexpr uint PasswordTextRole = 40;
// Focus changes come as this event; the registry passes it on only to those who ask for it.
const char FocusEvent[] = "object:state-changed:focused";

QString sessionConnectionName(const PasswordFocus* owner)
{
    return QStringLiteral("lectorix-session-%1").arg(quintptr(owner));
}

} // namespace

PasswordFocus::PasswordFocus(QObject* parent)
    : QObject(parent)
    , connectionName_(QStringLiteral("lectorix-a11y-%1").arg(quintptr(this)))
{
}

PasswordFocus::~PasswordFocus()
{
    QDBusConnection::disconnectFromBus(connectionName_);
    QDBusConnection::disconnectFromBus(sessionConnectionName(this));
}

void PasswordFocus::start()
{
    if (const QByteArray address = qgetenv("AT_SPI_BUS_ADDRESS"); !address.isEmpty()) {
        connectTo(QString::fromUtf8(address));
        return;
    }
    const QDBusConnection session =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, sessionConnectionName(this));
    if (!session.isConnected())
        return;
    const QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
    auto* watcher = new QDBusPendingCallWatcher(session.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QString> address = *watcher;
        if (address.isValid())
            connectTo(address.value());
    });
}

void PasswordFocus::connectTo(const QString& address)
{
    QDBusConnection bus = QDBusConnection::connectToBus(address, connectionName_);
    if (!bus.isConnected())
        return;
    listening_ =
        bus.connect(QString(), QString(), QStringLiteral("org.a11y.atspi.Event.Object"),
                    QStringLiteral("StateChanged"), this, SLOT(stateChanged(QDBusMessage)));
    if (!listening_)
        return;
    QDBusMessage registration = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/registry"),
        QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("RegisterEvent"));
    registration << QString::fromLatin1(FocusEvent) << QStringList() << QString();
    bus.call(registration, QDBus::NoBlock);
    emit listeningStarted();
}

void PasswordFocus::stateChanged(const QDBusMessage& event)
{
    const QList<QVariant> arguments = event.arguments();
    if (arguments.size() < 2 || arguments[0].toString() != QLatin1String("focused"))
        return;
    const QString object = event.service() + event.path();
    if (arguments[1].toInt() == 1) {
        focused_ = object;
        askRole(event.service(), event.path());
    } else if (object == focused_) {
        focused_.clear();
        password_ = asking_ = false;
    }
}

void PasswordFocus::askRole(const QString& application, const QString& object)
{
    asking_ = true;
    const QDBusMessage ask = QDBusMessage::createMethodCall(
        application, object, QStringLiteral("org.a11y.atspi.Accessible"),
        QStringLiteral("GetRole"));
    const QString asked = application + object;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection(connectionName_).asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher, asked] {
        watcher->deleteLater();
        if (asked != focused_)
            return;
        const QDBusPendingReply<uint> role = *watcher;
        password_ = role.isValid() && role.value() == PasswordTextRole;
        asking_ = false;
        emit focusChanged(password_);
    });
}

} // namespace platform
