// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/ClipboardSpeaking.h"

#include "live/SpeakAtOnce.h"
#include "platform/ClipboardText.h"
#include "platform/EditorContent.h"

#include <QCheckBox>

namespace live {

using platform::WM_CHANGECBCHAIN;
using platform::WM_DRAWCLIPBOARD;

ClipboardSpeaking::ClipboardSpeaking(speech::VoiceHolder& voice, const ClipboardBoxes& boxes,
                                     QTextEdit& editor, platform::ClipboardViewerChain& chain)
    : voice_(voice)
    , boxes_(boxes)
    , editor_(editor)
    , chain_(chain)
{
}

ClipboardSpeaking::~ClipboardSpeaking()
{
    if (window_)
        chain_.ChangeClipboardChain(window_, NextViewer);
}

void ClipboardSpeaking::join(platform::WindowHandle window,
                             platform::ClipboardViewerChain::MessageHandler handler)
{
    window_ = window;
    NextViewer = chain_.SetClipboardViewer(window, std::move(handler));
}

// The window after this one is told too, as the one leaving.
void ClipboardSpeaking::leave()
{
    if (!window_)
        return;
    chain_.ChangeClipboardChain(window_, NextViewer);
    if (NextViewer)
        chain_.SendMessage(NextViewer, WM_CHANGECBCHAIN, window_, static_cast<qintptr>(NextViewer));
    window_ = 0;
}

// The message goes on before anything here can stop or fail.
void ClipboardSpeaking::drawClipboard(quintptr wParam, qintptr lParam)
{
    if (NextViewer)
        chain_.SendMessage(NextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
    if (!boxes_.speak.isChecked() && !boxes_.show.isChecked())
        return;
    const std::optional<QString> text = platform::clipboardText();
    if (!text)
        return;
    if (boxes_.speak.isChecked() && !speakAtOnce(voice_, *text))
        return;
    // Copying shows the copied text in place of the editor's, as one edit that Undo takes back.
    if (boxes_.show.isChecked())
        platform::replaceEditorText(editor_, *text);
}

void ClipboardSpeaking::changeChain(quintptr wParam, qintptr lParam)
{
    if (wParam == NextViewer)
        NextViewer = static_cast<platform::WindowHandle>(lParam);
    else if (NextViewer)
        chain_.SendMessage(NextViewer, WM_CHANGECBCHAIN, wParam, lParam);
}

} // namespace live
