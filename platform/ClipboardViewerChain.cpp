// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ClipboardViewerChain.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

ClipboardViewerChain& ClipboardViewerChain::desktop()
{
    static ClipboardViewerChain chain;
    return chain;
}

ClipboardViewerChain::~ClipboardViewerChain()
{
    listenToClipboard(false);
}

WindowHandle ClipboardViewerChain::SetClipboardViewer(WindowHandle window, MessageHandler handler)
{
    windows_[window] = std::move(handler);
    const WindowHandle next = first_;
    first_ = window;
    listenToClipboard(true);
    return next;
}

void ClipboardViewerChain::ChangeClipboardChain(WindowHandle window, WindowHandle next)
{
    windows_.erase(window);
    if (first_ == window)
        first_ = next;
    else
        SendMessage(first_, WM_CHANGECBCHAIN, window, static_cast<qintptr>(next));
    listenToClipboard(!windows_.empty());
}

void ClipboardViewerChain::SendMessage(WindowHandle window, unsigned message, quintptr wParam,
                                       qintptr lParam)
{
    const auto found = windows_.find(window);
    if (found == windows_.end())
        return;
    // The handler may take its window out of the chain while it runs.
    const MessageHandler handler = found->second;
    handler(message, wParam, lParam);
}

void ClipboardViewerChain::clipboardChanged()
{
    SendMessage(first_, WM_DRAWCLIPBOARD, 0, 0);
}

// The clipboard belongs to the application object, which the chain may outlive.
void ClipboardViewerChain::listenToClipboard(bool listen)
{
    if (!listen) {
        QObject::disconnect(clipboard_);
        return;
    }
    if (!clipboard_ && QGuiApplication::instance())
        clipboard_ = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged,
                                      [this] { clipboardChanged(); });
}

} // namespace platform
