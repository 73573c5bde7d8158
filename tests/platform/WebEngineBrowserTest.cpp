#include "platform/WebEngineBrowser.h"

#include "tests/support/WaitUntil.h"

#include <gtest/gtest.h>
#include <QCursor>
#include <QGuiApplication>
#include <QTcpServer>

using namespace std::chrono_literals;

// A server that takes the connection and never answers: the page never completes.
TEST(WebEngineBrowser, APageThatNeverCompletesLeavesTheBusyCursorForNoLongerThanItsLimit)
{
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    platform::WebEngineBrowser browser(1500ms);
    bool completed = false;
    browser.setDocumentCompleteHandler([&] { completed = true; });
    browser.Navigate(QStringLiteral("http://127.0.0.1:%1/").arg(silent.serverPort()));
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
    EXPECT_TRUE(testsupport::waitUntil([] { return !QGuiApplication::overrideCursor(); }, 10000));
    EXPECT_FALSE(completed);
}
