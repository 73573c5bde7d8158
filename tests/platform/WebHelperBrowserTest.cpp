// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WebHelperBrowser.h"

#include "platform/ProgramFiles.h"
#include "platform/WebMessages.h"
#include "tests/support/PageServer.h"
#include "tests/support/TemporaryFiles.h"
#include "tests/support/WaitUntil.h"

#include <algorithm>
#include <csignal>
#include <gmock/gmock.h>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QTcpServer>
#include <QTest>

using namespace std::chrono_literals;

namespace {

using platform::WebHelperBrowser;

// The reader built beside the tests, with limits a test can wait for, and the failure it told.
struct Browser {
    Browser()
    {
        reader.setFailureHandler([this](const QString& reason) { failure = reason; });
    }

    WebHelperBrowser reader{platform::ProgramFiles::ofRunningProgram().webHelperPath(), 3000ms,
                            3000ms};
    QString failure;
};

// The body text of the page at the address, once it is complete; nothing when it never is.
QString bodyTextOf(WebHelperBrowser& browser, const QString& address)
{
    bool completed = false;
    browser.setDocumentCompleteHandler([&] { completed = true; });
    browser.Navigate(address);
    if (!testsupport::waitUntil([&] { return completed; }, 30000))
        return {};
    QString text;
    browser.readBodyText([&](const QString& body) { text = body; });
    testsupport::waitUntil([&] { return !text.isEmpty(); }, 10000);
    return text.trimmed();
}

QString bodyTextOf(const QString& address)
{
    Browser browser;
    return bodyTextOf(browser.reader, address);
}

} // namespace

// A server that takes the connection and never answers: the page never completes, and is given
// up with its reader at the limit.
TEST(WebHelperBrowser, APageThatNeverCompletesIsGivenUpAtItsLimit)
{
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    Browser browser;
    bool completed = false;
    browser.reader.setDocumentCompleteHandler([&] { completed = true; });
    browser.reader.Navigate(QStringLiteral("127.0.0.1:%1/slow").arg(silent.serverPort()));
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
    ASSERT_TRUE(testsupport::waitUntil([&] { return !browser.failure.isEmpty(); }, 10000));
    EXPECT_EQ(browser.failure,
              QStringLiteral("The page \"127.0.0.1:%1/slow\" could not be read: it did not finish "
                             "loading within 3 seconds")
                  .arg(silent.serverPort()));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(browser.reader.helperProcessId(), 0);
    EXPECT_FALSE(completed);
}

// A page whose script never ends once it is loaded, and a reader killed while a page loads: the
// reader goes, the failure is told, and the next page is read by a new one.
TEST(WebHelperBrowser, AHungOrKilledReaderIsReplacedForTheNextPage)
{
    testsupport::PageServer server;
    server.pages["/busy"] = "<html><body>Busy<script>window.onload = function () {"
                            "setTimeout(function () { while (true) {} }, 100); };</script></body>"
                            "</html>";
    server.pages["/calm"] = "<html><body>Calm</body></html>";
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    Browser browser;
    bool completed = false;
    browser.reader.setDocumentCompleteHandler([&] { completed = true; });
    browser.reader.Navigate(server.address(QStringLiteral("/busy")));
    ASSERT_TRUE(testsupport::waitUntil([&] { return completed; }, 30000));
    QTest::qWait(1000);
    QString text;
    browser.reader.readBodyText([&](const QString& body) { text = body; });
    ASSERT_TRUE(testsupport::waitUntil([&] { return !browser.failure.isEmpty(); }, 30000));
    EXPECT_THAT(browser.failure.toStdString(),
                testing::EndsWith("its text did not come within 3 seconds"));
    EXPECT_EQ(text, QString());
    EXPECT_EQ(bodyTextOf(browser.reader, server.address(QStringLiteral("/calm"))),
              QStringLiteral("Calm"));

    browser.failure.clear();
    browser.reader.Navigate(QStringLiteral("127.0.0.1:%1/").arg(silent.serverPort()));
    ASSERT_GT(browser.reader.helperProcessId(), 0);
    ::kill(static_cast<pid_t>(browser.reader.helperProcessId()), SIGKILL);
    ASSERT_TRUE(testsupport::waitUntil([&] { return !browser.failure.isEmpty(); }, 10000));
    EXPECT_THAT(browser.failure.toStdString(),
                testing::EndsWith("the web page reader stopped unexpectedly"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(bodyTextOf(browser.reader, server.address(QStringLiteral("/calm"))),
              QStringLiteral("Calm"));
}

// Messages cut anywhere by the pipe come whole, in order; a length no message has is refused.
TEST(WebMessages, ArriveWholeHoweverThePipeCutsThem)
{
    using Kind = platform::WebMessage::Kind;
    const QByteArray frames =
        platform::frameOf({Kind::BodyText, 7, QStringLiteral("Text of the page, 页面")}) +
        platform::frameOf({Kind::DocumentComplete, 8, {}});
    QByteArray received;
    std::vector<platform::WebMessage> messages;
    for (const char byte : frames) {
        received += byte;
        while (auto message = platform::takeMessage(received))
            messages.push_back(*message);
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].kind, Kind::BodyText);
    EXPECT_EQ(messages[0].number, 7u);
    EXPECT_EQ(messages[0].text, QStringLiteral("Text of the page, 页面"));
    EXPECT_EQ(messages[1].kind, Kind::DocumentComplete);
    EXPECT_TRUE(received.isEmpty());
    QByteArray tooLong("\xff\xff\xff\xff\x01", 5);
    EXPECT_THROW(platform::takeMessage(tooLong), std::runtime_error);
}

// Typed in the address box as a file of the working folder, as a shell would take it.
TEST(WebHelperBrowser, ARelativePathOpensTheFileOfTheWorkingFolder)
{
    testsupport::TemporaryFiles files;
    files.write(QStringLiteral("page.html"), "<html><body>Text of the page</body></html>");
    const QString here = QDir::currentPath();
    QDir::setCurrent(files.folder.path());
    const QString text = bodyTextOf(QStringLiteral("page.html"));
    QDir::setCurrent(here);
    EXPECT_EQ(text, QStringLiteral("Text of the page"));
}

// A downloaded page whose script reads a file beside it and shows it as its text.
TEST(WebHelperBrowser, ALocalPageRunsNoScriptAndReachesNoOtherFile)
{
    testsupport::TemporaryFiles files;
    files.write(QStringLiteral("secret.txt"), "the user's secret");
    const QString page = files.write(
        QStringLiteral("page.html"),
        "<html><body>Only this<script>var read = new XMLHttpRequest();"
        "read.open('GET', 'secret.txt', false); read.send();"
        "document.body.innerText = 'read: ' + read.responseText;</script></body></html>");
    EXPECT_EQ(bodyTextOf(page), QStringLiteral("Only this"));
}

// A page that reloads itself every half second completes no more once stopped.
TEST(WebHelperBrowser, AStoppedPageCompletesNoMore)
{
    testsupport::TemporaryFiles files;
    const QString page =
        files.write(QStringLiteral("again.html"),
                    "<html><head><meta http-equiv=\"refresh\" content=\"0.5\"></head>"
                    "<body>Again</body></html>");
    Browser browser;
    int completed = 0;
    browser.reader.setDocumentCompleteHandler([&] { ++completed; });
    browser.reader.Navigate(page);
    ASSERT_TRUE(testsupport::waitUntil([&] { return completed >= 2; }, 30000)) << "it reloads";
    browser.reader.Stop();
    const int atStop = completed;
    QTest::qWait(2000);
    EXPECT_EQ(completed, atStop);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A page from the web keeps its scripts, but reads no local file, and the channel its script
// opens back to the server never connects; the image it asks for afterwards shows the script ran
// to its end.
TEST(WebHelperBrowser, APageFromTheWebRunsItsScriptsButReadsNoFileAndOpensNoWebSocket)
{
    testsupport::PageServer server;
    server.pages["/page"] =
        "<html><body>Waiting<script>var channel = new WebSocket('ws://' + location.host + '/ws');"
        "var read = ''; try { var file = new XMLHttpRequest();"
        "file.open('GET', 'file:///etc/passwd', false); file.send(); read = file.responseText;"
        "} catch (refused) {} new Image().src = '/image';"
        "document.body.innerText = 'Scripted' + read;</script></body></html>";
    EXPECT_EQ(bodyTextOf(QStringLiteral("http://") + server.address(QStringLiteral("/page"))),
              QStringLiteral("Scripted"));
    const auto asked = [&](const char* path) {
        return std::ranges::any_of(server.requests, [&](const QByteArray& request) {
            return request.startsWith(QByteArray("GET ") + path + ' ');
        });
    };
    ASSERT_TRUE(testsupport::waitUntil([&] { return asked("/image"); }, 10000));
    QTest::qWait(500);
    EXPECT_FALSE(asked("/ws"));
}
