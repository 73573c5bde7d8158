// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/SelectionShortcut.h"
#include "platform/ShortcutPortal.h"
#include "tests/support/SessionBus.h"
#include "tests/support/WaitUntil.h"

#include <gmock/gmock.h>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QStandardPaths>
#include <QTimer>

namespace {

using Reach = live::SelectionShortcut::Reach;

// The desktop's GlobalShortcuts portal as the tests need it: it grants or refuses every
// shortcut, notes what it was asked, and can press a bound shortcut.
class FakePortal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.GlobalShortcuts")

public:
    FakePortal(const QString& address, bool grants)
        : bus_(QDBusConnection::connectToBus(address, QStringLiteral("portal")))
        , grants_(grants)
    {
        qDBusRegisterMetaType<platform::PortalShortcut>();
        qDBusRegisterMetaType<QList<platform::PortalShortcut>>();
        bus_.registerObject(QLatin1String(platform::ShortcutPortal::Path), this,
                            QDBusConnection::ExportAllSlots);
        bus_.registerService(QLatin1String(platform::ShortcutPortal::Service));
    }
    ~FakePortal() override { QDBusConnection::disconnectFromBus(QStringLiteral("portal")); }

    void press(const QString& session, const QString& id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            QLatin1String(platform::ShortcutPortal::Path),
            QLatin1String(platform::ShortcutPortal::Interface), QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(1)
               << QVariantMap();
        bus_.send(signal);
    }

    QStringList sessions;
    QStringList asked;

public slots:
    QDBusObjectPath CreateSession(const QVariantMap& options, const QDBusMessage& message)
    {
        sessions << QStringLiteral("/org/freedesktop/portal/desktop/session/x/") +
                        options.value(QStringLiteral("session_handle_token")).toString();
        return answer(message, options, {{QStringLiteral("session_handle"), sessions.last()}});
    }
    QDBusObjectPath BindShortcuts(const QDBusObjectPath& session,
                                  const QList<platform::PortalShortcut>& shortcuts, const QString&,
                                  const QVariantMap& options, const QDBusMessage& message)
    {
        for (const platform::PortalShortcut& shortcut : shortcuts)
            asked << session.path() + u' ' + shortcut.id + u' ' +
                         shortcut.properties.value(QStringLiteral("preferred_trigger")).toString() +
                         u' ' + shortcut.properties.value(QStringLiteral("description")).toString();
        return answer(message, options, {});
    }

private:
    // The answer comes as a signal of the request object, after the call has returned.
    QDBusObjectPath answer(const QDBusMessage& call, const QVariantMap& options,
                           const QVariantMap& results)
    {
        QString sender = call.service().mid(1);
        sender.replace(u'.', u'_');
        const QString request =
            QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
                .arg(sender, options.value(QStringLiteral("handle_token")).toString());
        QTimer::singleShot(10, this, [this, request, results] {
            QDBusMessage signal = QDBusMessage::createSignal(
                request, QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"));
            signal << uint(grants_ ? 0 : 1) << results;
            bus_.send(signal);
        });
        return QDBusObjectPath(request);
    }

    QDBusConnection bus_;
    bool grants_;
};

// The program's session bus connection is made once, so every test shares one bus.
class BusEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        if (!QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            bus = std::make_unique<testsupport::SessionBus>();
    }
    void TearDown() override { bus.reset(); }

    static inline std::unique_ptr<testsupport::SessionBus> bus;
};

const testing::Environment* const busEnvironment =
    testing::AddGlobalTestEnvironment(std::make_unique<BusEnvironment>().release());

bool haveBus()
{
    return BusEnvironment::bus && !BusEnvironment::bus->address.isEmpty();
}

} // namespace

// Where the key hook cannot hear the desktop, the shortcut is bound through the portal, pressed
// there, and bound anew when the user chooses another.
TEST(SelectionShortcutPortal, TheShortcutIsBoundPressedAndReplacedThroughThePortal)
{
    if (!haveBus())
        GTEST_SKIP() << "needs dbus-daemon";
    FakePortal portal(BusEnvironment::bus->address, true);
    int reads = 0;
    live::SelectionShortcut shortcut(false, [&] { ++reads; });
    shortcut.restore(std::nullopt, QStringLiteral("Read the selection"));
    EXPECT_EQ(shortcut.reach(), Reach::Asking);
    ASSERT_TRUE(testsupport::waitUntil([&] { return shortcut.reach() == Reach::Portal; }));
    ASSERT_EQ(portal.sessions.size(), 1);
    EXPECT_THAT(portal.asked,
                testing::ElementsAre(portal.sessions[0] + " read-selection CTRL+ALT+space Read the "
                                                          "selection"));
    portal.press(portal.sessions[0], QStringLiteral("read-selection"));
    EXPECT_TRUE(testsupport::waitUntil([&] { return reads == 1; }));

    shortcut.choose(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F9),
                    QStringLiteral("Read"));
    ASSERT_TRUE(testsupport::waitUntil([&] { return portal.asked.size() == 2; }));
    EXPECT_EQ(portal.asked[1], portal.sessions[1] + " read-selection CTRL+SHIFT+F9 Read");
    EXPECT_EQ(shortcut.stored(), QStringLiteral("Ctrl+Shift+F9"));
    // The first session is gone: its presses are not ours any more.
    portal.press(portal.sessions[0], QStringLiteral("read-selection"));
    portal.press(portal.sessions[1], QStringLiteral("read-selection"));
    EXPECT_TRUE(testsupport::waitUntil([&] { return reads == 2; }));
    QCoreApplication::processEvents();
    EXPECT_EQ(reads, 2);
}

// The dialog tells the user to bind the command where no portal offers the shortcut, or the
// desktop refuses it.
TEST(SelectionShortcutPortal, AMissingOrRefusingPortalLeavesNoReach)
{
    if (!haveBus())
        GTEST_SKIP() << "needs dbus-daemon";
    {
        live::SelectionShortcut shortcut(false, [] {});
        shortcut.restore(std::nullopt, QStringLiteral("Read"));
        EXPECT_TRUE(testsupport::waitUntil([&] { return shortcut.reach() == Reach::None; }));
    }
    FakePortal portal(BusEnvironment::bus->address, false);
    live::SelectionShortcut shortcut(false, [] {});
    shortcut.restore(std::nullopt, QStringLiteral("Read"));
    EXPECT_TRUE(testsupport::waitUntil([&] { return shortcut.reach() == Reach::None; }));
    EXPECT_TRUE(portal.asked.isEmpty());
}

#include "SelectionShortcutPortalTest.moc"
