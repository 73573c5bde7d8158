// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WebHelperBrowser.h"

#include "platform/OutsideProgram.h"
#include "platform/WebMessages.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>
#include <stdexcept>

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

QString secondsOf(const QTimer& limit)
{
    return QString::number(limit.interval() / 1000);
}

} // namespace

WebHelperBrowser::WebHelperBrowser(QString helperPath, std::chrono::milliseconds loadLimit,
                                   std::chrono::milliseconds readLimit)
    : helperPath_(std::move(helperPath))
{
    loadLimit_.setSingleShot(true);
    loadLimit_.setInterval(loadLimit);
    QObject::connect(&loadLimit_, &QTimer::timeout, [this] {
        giveUp(QStringLiteral("it did not finish loading within %1 seconds")
                   .arg(secondsOf(loadLimit_)));
    });
    readLimit_.setSingleShot(true);
    readLimit_.setInterval(readLimit);
    QObject::connect(&readLimit_, &QTimer::timeout, [this] {
        giveUp(
            QStringLiteral("its text did not come within %1 seconds").arg(secondsOf(readLimit_)));
    });
}

WebHelperBrowser::~WebHelperBrowser()
{
    endHelper();
    showLoading(false);
}

void WebHelperBrowser::Navigate(const QString& address)
{
    const QUrl url = urlOf(address);
    if (!address.isEmpty() && !url.isValid())
        throw std::runtime_error("The browser cannot go to this address");
    if (!helper_)
        startHelper();
    address_ = address;
    navigation_ = ++lastNumber_;
    send({WebMessage::Kind::Navigate, navigation_, url.toString(QUrl::FullyEncoded)});
    showLoading(true);
}

void WebHelperBrowser::setDocumentCompleteHandler(std::function<void()> handler)
{
    documentComplete_ = std::move(handler);
}

void WebHelperBrowser::setFailureHandler(std::function<void(const QString&)> handler)
{
    failed_ = std::move(handler);
}

void WebHelperBrowser::readBodyText(std::function<void(const QString&)> handler)
{
    if (!helper_ || navigation_ == 0)
        return;
    const std::uint32_t number = ++lastNumber_;
    readings_.emplace(number, std::move(handler));
    send({WebMessage::Kind::ReadBodyText, number, {}});
    if (!readLimit_.isActive())
        readLimit_.start();
}

// Answers still on their way for what was asked before are dropped when they come.
void WebHelperBrowser::Stop()
{
    if (helper_)
        send({WebMessage::Kind::Stop, 0, {}});
    navigation_ = 0;
    readings_.clear();
    readLimit_.stop();
    showLoading(false);
}

qint64 WebHelperBrowser::helperProcessId() const
{
    return helper_ ? helper_->processId() : 0;
}

void WebHelperBrowser::startHelper()
{
    helper_ = std::make_unique<QProcess>();
    helper_->setProgram(helperPath_);
    helper_->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    leadOwnProcessGroup(*helper_);
    QObject::connect(helper_.get(), &QProcess::readyReadStandardOutput, [this] { readAnswers(); });
    QObject::connect(
        helper_.get(), &QProcess::finished, helper_.get(), [this] { helperEnded(); },
        Qt::QueuedConnection);
    helper_->start();
    if (!helper_->waitForStarted()) {
        helper_.reset();
        throw std::runtime_error("The web page reader (lectorix-web) does not start");
    }
}

// Nothing of the helper is worth waiting for. Its process object is handed back ended, to go
// once the signal that led here, perhaps its own, is done.
std::unique_ptr<QProcess> WebHelperBrowser::endHelper()
{
    if (!helper_)
        return {};
    QObject::disconnect(helper_.get(), nullptr, nullptr, nullptr);
    killProcessGroup(*helper_);
    received_.clear();
    return std::move(helper_);
}

void WebHelperBrowser::send(const WebMessage& message)
{
    helper_->write(frameOf(message));
}

void WebHelperBrowser::readAnswers()
{
    received_ += helper_->readAllStandardOutput();
    try {
        while (const auto answer = takeMessage(received_))
            answered(*answer);
    } catch (const std::runtime_error& error) {
        giveUp(QString::fromUtf8(error.what()));
    }
}

void WebHelperBrowser::answered(const WebMessage& answer)
{
    if (answer.kind == WebMessage::Kind::DocumentComplete) {
        if (answer.number != navigation_)
            return;
        showLoading(false);
        if (documentComplete_)
            documentComplete_();
        return;
    }
    const auto reading = readings_.find(answer.number);
    if (reading == readings_.end())
        return;
    const auto handler = std::move(reading->second);
    readings_.erase(reading);
    if (readings_.empty())
        readLimit_.stop();
    else
        readLimit_.start();
    if (answer.kind == WebMessage::Kind::BodyText)
        handler(answer.text);
}

// Ended without being asked: crashed, or killed. Only a page still awaited is worth a word.
void WebHelperBrowser::helperEnded()
{
    if (navigation_ != 0 && (loadingCursorShown_ || !readings_.empty()))
        giveUp(QStringLiteral("the web page reader stopped unexpectedly"));
    else
        discardHelper();
}

void WebHelperBrowser::discardHelper()
{
    if (auto ended = endHelper())
        ended.release()->deleteLater();
}

// Told once the signal that led here is done, since the handler may show a box and wait.
void WebHelperBrowser::giveUp(const QString& reason)
{
    discardHelper();
    Stop();
    const QString message =
        QStringLiteral("The page \"%1\" could not be read: %2").arg(address_, reason);
    QMetaObject::invokeMethod(
        &loadLimit_,
        [this, message] {
            if (failed_)
                failed_(message);
        },
        Qt::QueuedConnection);
}

void WebHelperBrowser::showLoading(bool loading)
{
    if (loading)
        loadLimit_.start();
    else
        loadLimit_.stop();
    if (loading == loadingCursorShown_)
        return;
    loadingCursorShown_ = loading;
    if (loading)
        QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
    else
        QGuiApplication::restoreOverrideCursor();
}

} // namespace platform
