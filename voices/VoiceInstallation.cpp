// SPDX-License-Identifier: GPL-3.0-or-later

#include "voices/VoiceInstallation.h"

#include <atomic>
#include <exception>
#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>

namespace voices {

namespace {

// The bar counts in thousandths, as a byte count may pass what a progress bar holds.
constexpr int ProgressSteps = 1000;
// A quick install shows no dialog at all.
constexpr int ShowAfterMs = 400;
constexpr int WaitStepMs = 10;

void showProgress(QProgressDialog& dialog, qint64 done, qint64 total)
{
    // A cancelled dialog is gone; the work ends at its next step.
    if (dialog.wasCanceled())
        return;
    // The voice is unpacked and is being loaded, which tells nothing of how far it has got.
    if (done == total) {
        dialog.setRange(0, 0);
        return;
    }
    dialog.setRange(0, ProgressSteps);
    dialog.setValue(static_cast<int>(done * ProgressSteps / std::max<qint64>(total, 1)));
}

} // namespace

VoiceInstallation::VoiceInstallation(VoiceInstaller& installer,
                                     VoiceInstaller::ReplaceQuestion askToReplace)
    : installer_(installer)
    , askToReplace_(std::move(askToReplace))
{
}

QString VoiceInstallation::run(QWidget* parent, const QString& source,
                               const InstallationTexts& texts)
{
    QProgressDialog dialog(texts.progress, texts.cancel, 0, ProgressSteps, parent);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(ShowAfterMs);
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    std::atomic<bool> cancelled = false;
    QObject::connect(&dialog, &QProgressDialog::canceled, [&] { cancelled = true; });

    const auto askOnWindowThread = [&](const QString& name) {
        bool replace = false;
        QMetaObject::invokeMethod(
            &dialog, [&] { replace = askToReplace_ && askToReplace_(name); },
            Qt::BlockingQueuedConnection);
        return replace;
    };
    const auto progress = [&](qint64 done, qint64 total) {
        QMetaObject::invokeMethod(&dialog,
                                  [&dialog, done, total] { showProgress(dialog, done, total); });
        return !cancelled;
    };
    QString name;
    std::exception_ptr failure;
    const std::unique_ptr<QThread> worker(QThread::create([&] {
        try {
            name = installer_.install(source, askOnWindowThread, progress);
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    // The loop also ends when the application quits: the work is cancelled, and the question it
    // may be waiting on is still answered.
    cancelled = true;
    while (!worker->wait(WaitStepMs))
        QCoreApplication::processEvents();
    if (failure)
        std::rethrow_exception(failure);
    return name;
}

} // namespace voices
