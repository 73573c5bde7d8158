#include "platform/WebEngineBrowser.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <stdexcept>
#include <unistd.h>

namespace platform {

namespace {

// A path is a file, whether or not it is there, and so is a relative one that names a file in the
// working folder; anything else is taken as a browser's address bar takes it.
QUrl urlOf(const QString& address)
{
    if (QDir::isAbsolutePath(address))
        return QUrl::fromLocalFile(address);
    return QUrl::fromUserInput(address, QDir::currentPath());
}

} // namespace

WebEngineBrowser::WebEngineBrowser(std::chrono::milliseconds loadingCursorLimit)
{
    loadingCursorLimit_.setSingleShot(true);
    loadingCursorLimit_.setInterval(loadingCursorLimit);
    QObject::connect(&loadingCursorLimit_, &QTimer::timeout, [this] { showLoading(false); });
}

WebEngineBrowser::~WebEngineBrowser()
{
    Stop();
}

// A page going away may still report a load; nobody is left to hear it. The next address gets a
// page of its own.
void WebEngineBrowser::Stop()
{
    if (page_)
        QObject::disconnect(page_.get(), nullptr, nullptr, nullptr);
    page_.reset();
    showLoading(false);
}

void WebEngineBrowser::Navigate(const QString& address)
{
    const QUrl url = urlOf(address);
    if (!address.isEmpty() && !url.isValid())
        throw std::runtime_error("The browser cannot go to this address");
    // A downloaded page's scripts would run with the user's files at hand; only its text is
    // wanted. Pages from the web keep theirs, which many need to show their text at all.
    page().settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !url.isLocalFile());
    page().load(url);
    showLoading(true);
}

void WebEngineBrowser::setDocumentCompleteHandler(std::function<void()> handler)
{
    documentComplete_ = std::move(handler);
}

// Read in a world of its own, which the page's scripts cannot change.
void WebEngineBrowser::readBodyText(std::function<void(const QString&)> handler)
{
    if (!page_)
        return;
    page_->runJavaScript(QStringLiteral("document.body ? document.body.innerText : null"),
                         QWebEngineScript::ApplicationWorld,
                         [handler = std::move(handler)](const QVariant& text) {
                             if (text.typeId() == QMetaType::QString)
                                 handler(text.toString());
                         });
}

// Chromium will not start as root with its sandbox; only then is it switched off.
QWebEnginePage& WebEngineBrowser::page()
{
    if (page_)
        return *page_;
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    page_ = std::make_unique<QWebEnginePage>();
    // No page reaches local files, nor does local content reach the network.
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    page_->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    page_->setUrlRequestInterceptor(&requestRules_);
    QObject::connect(page_.get(), &QWebEnginePage::loadFinished, [this] {
        showLoading(false);
        if (documentComplete_)
            documentComplete_();
    });
    return *page_;
}

void WebEngineBrowser::showLoading(bool loading)
{
    if (loading)
        loadingCursorLimit_.start();
    else
        loadingCursorLimit_.stop();
    if (loading == loadingCursorShown_)
        return;
    loadingCursorShown_ = loading;
    if (loading)
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace platform
