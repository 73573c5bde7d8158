// SPDX-License-Identifier: GPL-3.0-or-later

#include "tests/support/AccessibilityBus.h"
#include "tests/support/WaitUntil.h"

#include <gmock/gmock.h>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// ATSPI_STATE_FOCUSABLE and ATSPI_STATE_SHOWING of AT-SPI's state list.
enum State { Focusable = 11, Showing = 25 };

struct Object {
    QString service;
    QString path;
};

class AccessibilityTree {
public:
    explicit AccessibilityTree(const QString& address)
        : bus_(QDBusConnection::connectToBus(address, QStringLiteral("tree-walk")))
    {
    }
    ~AccessibilityTree() { QDBusConnection::disconnectFromBus(QStringLiteral("tree-walk")); }

    QList<Object> children(const Object& object) const
    {
        QList<Object> found;
        const QDBusMessage reply = call(object, "org.a11y.atspi.Accessible", "GetChildren");
        if (reply.type() != QDBusMessage::ReplyMessage)
            return found;
        const auto list = reply.arguments().value(0).value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            Object child;
            QDBusObjectPath path;
            list.beginStructure();
            list >> child.service >> path;
            list.endStructure();
            child.path = path.path();
            found << child;
        }
        list.endArray();
        return found;
    }

    QString name(const Object& object) const
    {
        QDBusMessage get = QDBusMessage::createMethodCall(
            object.service, object.path, QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get << QStringLiteral("org.a11y.atspi.Accessible") << QStringLiteral("Name");
        return bus_.call(get).arguments().value(0).value<QDBusVariant>().variant().toString();
    }

    bool has(const Object& object, int state) const
    {
        const QDBusMessage reply = call(object, "org.a11y.atspi.Accessible", "GetState");
        QList<uint> words;
        reply.arguments().value(0).value<QDBusArgument>() >> words;
        return words.size() > state / 32 && (words[state / 32] >> (state % 32) & 1u);
    }

    QString role(const Object& object) const
    {
        return call(object, "org.a11y.atspi.Accessible", "GetRoleName")
            .arguments()
            .value(0)
            .toString();
    }

    bool connected() const { return bus_.isConnected(); }

private:
    QDBusMessage call(const Object& object, const char* interface, const char* method) const
    {
        return bus_.call(QDBusMessage::createMethodCall(
            object.service, object.path, QLatin1String(interface), QLatin1String(method)));
    }

    QDBusConnection bus_;
};

QString accessibilityBusAddress()
{
    const QDBusMessage reply =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("ask"))
            .call(QDBusMessage::createMethodCall(
                QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress")));
    QDBusConnection::disconnectFromBus(QStringLiteral("ask"));
    return reply.arguments().value(0).toString();
}

// Every showing object that takes the focus, without a name, as "role at path".
void collectNameless(const AccessibilityTree& tree, const Object& object, QStringList& nameless,
                     int depth = 0)
{
    if (depth > 40)
        return;
    if (tree.has(object, Focusable) && tree.has(object, Showing) && tree.name(object).isEmpty())
        nameless << tree.role(object) + QStringLiteral(" at ") + object.path;
    for (const Object& child : tree.children(object))
        collectNameless(tree, child, nameless, depth + 1);
}

} // namespace

// A screen reader names every control the keyboard reaches in the window.
TEST(AccessibilityTree, EveryFocusableObjectOfTheWindowHasAName)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb") ||
        !QFile::exists(testsupport::AccessibilityBus::Launcher) ||
        QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        GTEST_SKIP() << "needs Xvfb, dbus-daemon and at-spi2-core";
    testsupport::AccessibilityBus bus;
    ASSERT_TRUE(bus.started);
    QString address;
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return !(address = accessibilityBusAddress()).isEmpty(); }));
    const AccessibilityTree tree(address);
    ASSERT_TRUE(tree.connected());

    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(LECTORIX_PROGRAM),
                  {QStringLiteral("--language"), QStringLiteral(LANGUAGE)});
    ASSERT_TRUE(program.waitForStarted());

    const Object root{QStringLiteral("org.a11y.atspi.Registry"),
                      QStringLiteral("/org/a11y/atspi/accessible/root")};
    const auto showing = [&](const QString& role) {
        QList<Object> found;
        for (const Object& application : tree.children(root))
            for (const Object& top : tree.children(application))
                if (tree.role(top) == role && tree.has(top, Showing))
                    found << top;
        return found;
    };
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return !showing(QStringLiteral("frame")).isEmpty(); }));
    QStringList nameless;
    // The modal dialogs open from the menus, one at a time: the shortcut and the voice library at
    // the end of the Speak menu, the About box at the end of Help.
    // The shortcut's dialog opens from the end of the Speak menu; menus open slower than keys
    // are sent.
    QProcess::execute(QStringLiteral("xdotool"),
                      {"search", "--class", "Lectorix2009", "windowfocus", "--sync", "key",
                       "--delay", "300", "alt+s", "Up", "Return"});
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return showing(QStringLiteral("dialog")).size() == 1; }));
    collectNameless(tree, showing(QStringLiteral("dialog"))[0], nameless);
    // Escape leaves it, though its key box takes every other key.
    QProcess::execute(QStringLiteral("xdotool"), {"search", "--name", "^Read-selection shortcut$",
                                                  "windowfocus", "--sync", "key", "Escape"});
    ASSERT_TRUE(
        testsupport::waitUntil([&] { return showing(QStringLiteral("dialog")).isEmpty(); }));
    // The find and replace dialogs open from the keyboard, beside the window.
    for (const char* keys : {"ctrl+f", "ctrl+h"})
        QProcess::execute(QStringLiteral("xdotool"), {"search", "--class", "Lectorix2009",
                                                      "windowfocus", "--sync", "key", keys});
    ASSERT_TRUE(testsupport::waitUntil([&] {
        return showing(QStringLiteral("dialog")).size() == 2;
    })) << showing(QStringLiteral("dialog")).size();
    for (const Object& top : showing(QStringLiteral("frame")) + showing(QStringLiteral("dialog")))
        collectNameless(tree, top, nameless);
    EXPECT_TRUE(nameless.isEmpty()) << nameless.join(u'\n').toStdString();
    program.terminate();
    program.waitForFinished();
}
