// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <map>
#include <QMetaObject>
#include <QtGlobal>

namespace platform {

// A window of the chain, by its id; 0 is none.
using WindowHandle = quintptr;

inline constexpr unsigned WM_DRAWCLIPBOARD = 0x0308;
inline constexpr unsigned WM_CHANGECBCHAIN = 0x030D;

// The windows told of each new content of the desktop's clipboard (not the selection). The chain
// itself knows only its first window: each window keeps the one after it, passes every message
// on to it, and is told when a window leaves so it can mend its link. Only this program's windows
// can join, so a window that joins first stays the last.
class ClipboardViewerChain {
public:
    using MessageHandler = std::function<void(unsigned message, quintptr wParam, qintptr lParam)>;

    // The chain of this program's windows, which the clipboard's changes reach.
    static ClipboardViewerChain& desktop();

    ClipboardViewerChain() = default;
    ~ClipboardViewerChain();
    ClipboardViewerChain(const ClipboardViewerChain&) = delete;
    ClipboardViewerChain& operator=(const ClipboardViewerChain&) = delete;

    // Puts the window first, its handler receiving the messages sent to it; returns the window
    // that now follows it.
    WindowHandle SetClipboardViewer(WindowHandle window, MessageHandler handler);
    // Takes the window out: the first window of the chain becomes next when it was the one
    // leaving, and is otherwise sent WM_CHANGECBCHAIN with the window and next.
    void ChangeClipboardChain(WindowHandle window, WindowHandle next);
    // Runs the window's handler at once; a window not in the chain gets nothing.
    void SendMessage(WindowHandle window, unsigned message, quintptr wParam, qintptr lParam);
    // What the desktop's clipboard does on a new content: tell the first window.
    void clipboardChanged();

private:
    void listenToClipboard(bool listen);

    WindowHandle first_ = 0;
    std::map<WindowHandle, MessageHandler> windows_;
    QMetaObject::Connection clipboard_;
};

} // namespace platform
