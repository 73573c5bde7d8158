// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ShortcutPortal.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QKeySequence>

namespace platform {

namespace {

constexpr char requestInterface[] = "org.freedesktop.portal.Request";
constexpr char sessionInterface[] = "org.freedesktop.portal.Session";

struct KeyName {
    Qt::Key key;
    const char* name;
};

// Keys whose keysym name differs from Qt's portable text.
constexpr KeyName keysymNames[] = {
    {Qt::Key_Space, "space"},         {Qt::Key_PageUp, "Page_Up"}, {Qt::Key_PageDown, "Page_Down"},
    {Qt::Key_Insert, "Insert"},       {Qt::Key_Delete, "Delete"},  {Qt::Key_Escape, "Escape"},
    {Qt::Key_Backspace, "BackSpace"}, {Qt::Key_Return, "Return"},  {Qt::Key_Enter, "KP_Enter"},
    {Qt::Key_Print, "Print"},
};

QString keysymName(Qt::Key key)
{
    for (const KeyName& named : keysymNames)
        if (named.key == key)
            return QLatin1String(named.name);
    const QString text = QKeySequence(key).toString(QKeySequence::PortableText);
    return text.size() == 1 ? text.toLower() : text;
}

} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut)
{
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

QString xdgTrigger(QKeyCombination combination)
{
    if (combination.key() == Qt::Key(0))
        return {};
    const std::pair<Qt::KeyboardModifier, const char*> modifiers[] = {
        {Qt::ControlModifier, "CTRL"},
        {Qt::AltModifier, "ALT"},
        {Qt::ShiftModifier, "SHIFT"},
        {Qt::MetaModifier, "LOGO"},
    };
    QStringList parts;
    for (const auto& [modifier, name] : modifiers)
        if (combination.keyboardModifiers() & modifier)
            parts << QLatin1String(name);
    parts << keysymName(combination.key());
    return parts.join(u'+');
}

ShortcutPortal::ShortcutPortal(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , bus_(std::move(bus))
{
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    bus_.connect(QLatin1String(Service), QLatin1String(Path), QLatin1String(Interface),
                 QStringLiteral("Activated"), this, SLOT(shortcutActivated(QDBusMessage)));
}

ShortcutPortal::~ShortcutPortal()
{
    stopListening();
    closeSession();
}

void ShortcutPortal::bind(const QString& id, const QString& description, const QString& trigger)
{
    stopListening();
    closeSession();
    if (trigger.isEmpty())
        return;
    wanted_ = {id,
               {{QStringLiteral("description"), description},
                {QStringLiteral("preferred_trigger"), trigger}}};
    const QVariantMap options{
        {QStringLiteral("session_handle_token"), QStringLiteral("lectorix%1").arg(++requests_)}};
    request(QStringLiteral("CreateSession"), {options}, SLOT(sessionCreated(uint, QVariantMap)));
}

void ShortcutPortal::sessionCreated(uint response, const QVariantMap& results)
{
    stopListening();
    session_ = results.value(QStringLiteral("session_handle")).toString();
    if (response != 0 || session_.isEmpty()) {
        session_.clear();
        emit unavailable();
        return;
    }
    request(QStringLiteral("BindShortcuts"),
            {QVariant::fromValue(QDBusObjectPath(session_)),
             QVariant::fromValue(QList<PortalShortcut>{wanted_}), QString(), QVariantMap()},
            SLOT(shortcutsBound(uint, QVariantMap)));
}

void ShortcutPortal::shortcutsBound(uint response, const QVariantMap&)
{
    stopListening();
    if (response == 0)
        emit bound();
    else
        emit unavailable();
}

void ShortcutPortal::shortcutActivated(const QDBusMessage& signal)
{
    const QVariantList arguments = signal.arguments();
    if (arguments.size() < 2 || session_.isEmpty() ||
        arguments[0].value<QDBusObjectPath>().path() != session_)
        return;
    emit activated(arguments[1].toString());
}

// The request's object path is known before the call, so its answer cannot come before we
// listen for it; the last argument of every such method is its options.
void ShortcutPortal::request(const QString& method, QVariantList arguments, const char* answerSlot)
{
    const QString token = QStringLiteral("lectorix%1").arg(++requests_);
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments << options;
    QString sender = bus_.baseService().mid(1);
    sender.replace(u'.', u'_');
    pendingRequest_ = QStringLiteral("%1/request/%2/%3").arg(QLatin1String(Path), sender, token);
    pendingSlot_ = answerSlot;
    bus_.connect(QLatin1String(Service), pendingRequest_, QLatin1String(requestInterface),
                 QStringLiteral("Response"), this, answerSlot);
    QDBusMessage message = QDBusMessage::createMethodCall(
        QLatin1String(Service), QLatin1String(Path), QLatin1String(Interface), method);
    message.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, path = pendingRequest_](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (!call->isError() || path != pendingRequest_)
                    return;
                stopListening();
                emit unavailable();
            });
}

void ShortcutPortal::stopListening()
{
    if (pendingSlot_)
        bus_.disconnect(QLatin1String(Service), pendingRequest_, QLatin1String(requestInterface),
                        QStringLiteral("Response"), this, pendingSlot_);
    pendingSlot_ = nullptr;
    pendingRequest_.clear();
}

void ShortcutPortal::closeSession()
{
    if (session_.isEmpty())
        return;
    bus_.asyncCall(QDBusMessage::createMethodCall(QLatin1String(Service), session_,
                                                  QLatin1String(sessionInterface),
                                                  QStringLiteral("Close")));
    session_.clear();
}

} // namespace platform
