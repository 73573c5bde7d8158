#include "platform/WebEngineBrowser.h"

#include "tests/support/PageServer.h"
#include "tests/support/TemporaryFiles.h"
#include "tests/support/WaitUntil.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QTcpServer>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// The body text of the page at the address, once it is complete; nothing when it never is.
QString bodyTextOf(const QString& address)
{
    platform::WebEngineBrowser browser;
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

} // namespace

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

// Typed in the address box as a file of the working folder, as a shell would take it.
TEST(WebEngineBrowser, ARelativePathOpensTheFileOfTheWorkingFolder)
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
TEST(WebEngineBrowser, ALocalPageRunsNoScriptAndReachesNoOtherFile)
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
TEST(WebEngineBrowser, AStoppedPageCompletesNoMore)
{
    testsupport::TemporaryFiles files;
    const QString page =
        files.write(QStringLiteral("again.html"),
                    "<html><head><meta http-equiv=\"refresh\" content=\"0.5\"></head>"
                    "<body>Again</body></html>");
    platform::WebEngineBrowser browser;
    int completed = 0;
    browser.setDocumentCompleteHandler([&] { ++completed; });
    browser.Navigate(page);
    ASSERT_TRUE(testsupport::waitUntil([&] { return completed >= 2; }, 30000)) << "it reloads";
    browser.Stop();
    const int atStop = completed;
    QTest::qWait(2000);
    EXPECT_EQ(completed, atStop);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A page from the web keeps its scripts, but reads no local file, and the channel its script
// opens back to the server never connects; the image it asks for afterwards shows the script ran
// to its end.
TEST(WebEngineBrowser, APageFromTheWebRunsItsScriptsButReadsNoFileAndOpensNoWebSocket)
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
