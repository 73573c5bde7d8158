// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/ClipboardViewerChain.h"

class QCheckBox;
class QTextEdit;

namespace speech {
class VoiceHolder;
}

namespace live {

// The window's check boxes for speaking the clipboard's new text and showing it in the editor.
struct ClipboardBoxes {
    QCheckBox& speak;
    QCheckBox& show;
};

// Speaks, and shows, each text copied anywhere on the desktop, as a member of the clipboard
// viewer chain that passes every message on to the window after it.
class ClipboardSpeaking {
public:
    ClipboardSpeaking(speech::VoiceHolder& voice, const ClipboardBoxes& boxes, QTextEdit& editor,
                      platform::ClipboardViewerChain& chain);
    // Leaves the chain if the window has not.
    ~ClipboardSpeaking();
    ClipboardSpeaking(const ClipboardSpeaking&) = delete;
    ClipboardSpeaking& operator=(const ClipboardSpeaking&) = delete;

    // Joins the chain as the window; its messages go to the handler.
    void join(platform::WindowHandle window,
              platform::ClipboardViewerChain::MessageHandler handler);
    void leave();

    // The window's handlers of WM_DRAWCLIPBOARD and WM_CHANGECBCHAIN.
    void drawClipboard(quintptr wParam, qintptr lParam);
    void changeChain(quintptr wParam, qintptr lParam);

    // The window after this one in the chain.
    platform::WindowHandle NextViewer = 0;

private:
    speech::VoiceHolder& voice_;
    ClipboardBoxes boxes_;
    QTextEdit& editor_;
    platform::ClipboardViewerChain& chain_;
    platform::WindowHandle window_ = 0;
};

} // namespace live
