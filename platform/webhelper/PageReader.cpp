// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/webhelper/PageReader.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <unistd.h>

namespace platform {

PageReader::PageReader(std::function<void()> documentComplete)
    : documentComplete_(std::move(documentComplete))
{
}

PageReader::~PageReader()
{
    stop();
}

void PageReader::stop()
{
    if (page_)
        QObject::disconnect(page_.get(), nullptr, nullptr, nullptr);
    page_.reset();
}

void PageReader::navigate(const QUrl& url)
{
    // A downloaded page's scripts would run with the user's files at hand; only its text is
    // wanted. Pages from the web keep theirs, which many need to show their text at all.
    page().settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !url.isLocalFile());
    page().load(url);
}

// Read in a world of its own, which the page's scripts cannot change.
void PageReader::readBodyText(std::function<void(std::optional<QString>)> handler)
{
    if (!page_) {
        handler(std::nullopt);
        return;
    }
    page_->runJavaScript(QStringLiteral("document.body ? document.body.innerText : null"),
                         QWebEngineScript::ApplicationWorld,
                         [handler = std::move(handler)](const QVariant& text) {
                             if (text.typeId() == QMetaType::QString)
                                 handler(text.toString());
                             else
                                 handler(std::nullopt);
                         });
}

// Chromium will not start as root with its sandbox; only then is it switched off.
QWebEnginePage& PageReader::page()
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
    QObject::connect(page_.get(), &QWebEnginePage::loadFinished, [this] { documentComplete_(); });
    return *page_;
}

} // namespace platform
