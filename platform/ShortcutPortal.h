// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QKeyCombination>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantMap>

class QDBusArgument;

namespace platform {

// One shortcut as the portal takes it: an id and its description and preferred trigger.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};
QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

// A global shortcut through the desktop's GlobalShortcuts portal, the way a Wayland desktop
// lets a program hear a key typed in other programs. The desktop has the last word: it may ask
// the user, or give the shortcut another trigger.
class ShortcutPortal : public QObject {
    Q_OBJECT

public:
    static constexpr const char* Service = "org.freedesktop.portal.Desktop";
    static constexpr const char* Path = "/org/freedesktop/portal/desktop";
    static constexpr const char* Interface = "org.freedesktop.portal.GlobalShortcuts";

    explicit ShortcutPortal(QDBusConnection bus = QDBusConnection::sessionBus(),
                            QObject* parent = nullptr);
    ~ShortcutPortal() override;

    // Replaces what was bound before. `trigger` is written as the portal takes it, such as
    // "CTRL+ALT+space"; empty binds nothing.
    void bind(const QString& id, const QString& description, const QString& trigger);

signals:
    void bound();
    // The desktop offers no such portal, or refused the shortcut.
    void unavailable();
    void activated(const QString& id);

private slots:
    void sessionCreated(uint response, const QVariantMap& results);
    void shortcutsBound(uint response, const QVariantMap& results);
    // Activated(session, shortcut id, time, options), read whole so that a desktop adding
    // arguments is still heard.
    void shortcutActivated(const QDBusMessage& signal);

private:
    // Calls a method of the portal that answers with a Response signal on a request object.
    void request(const QString& method, QVariantList arguments, const char* answerSlot);
    void stopListening();
    void closeSession();

    QDBusConnection bus_;
    QString session_;
    PortalShortcut wanted_;
    QString pendingRequest_;
    const char* pendingSlot_ = nullptr;
    int requests_ = 0;
};

// A key combination written as the portal's triggers are, such as "CTRL+ALT+space"; empty for
// none.
QString xdgTrigger(QKeyCombination combination);

} // namespace platform

Q_DECLARE_METATYPE(platform::PortalShortcut)
