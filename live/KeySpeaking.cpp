// SPDX-License-Identifier: GPL-3.0-or-later

#include "live/KeySpeaking.h"

#include "live/SpeakAtOnce.h"
#include "platform/KeyNames.h"
#include "speech/Voice.h"

#include <QCheckBox>
#include <QTextEdit>

namespace live {

namespace {

constexpr std::uint32_t PreviousStateBit = 1u << 30;

// "Num 7" is spoken as "7" and "Right Shift" as "Shift"; the arrows keep "Left" and "Right".
QString spokenName(QString name)
{
    for (const char* side : {"Num ", "Right ", "Left "})
        name.remove(QLatin1String(side));
    return name;
}

bool isLetter(const QString& name)
{
    return name.size() == 1 &&
           ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z'));
}

bool isDigit(const QString& name)
{
    return name.size() == 1 && name[0] >= u'0' && name[0] <= u'9';
}

} // namespace

KeySpeaking::KeySpeaking(speech::VoiceHolder& voice, const KeySpeakBoxes& boxes, QTextEdit& editor,
                         PrivacyCheck typingIsPrivate)
    : voice_(voice)
    , boxes_(boxes)
    , editor_(editor)
    , typingIsPrivate_(std::move(typingIsPrivate))
{
}

void KeySpeaking::keyMessage(std::uint32_t lParam)
{
    char buffer[100];
    GetKeyNameTextA(lParam, buffer, sizeof buffer);
    if (!(lParam & PreviousStateBit) || (typingIsPrivate_ && typingIsPrivate_()))
        return;
    const QString name = spokenName(QString::fromLocal8Bit(buffer));
    const bool letter = isLetter(name);
    const bool digit = isDigit(name);
    const std::pair<const QCheckBox&, bool> modes[] = {
        {boxes_.all, true},
        {boxes_.letterDigit, letter || digit},
        {boxes_.letter, letter},
        {boxes_.digit, digit},
    };
    // A voice that cannot be cut short leaves the key unspoken and unshown.
    for (const auto& [box, applies] : modes)
        if (box.isChecked() && applies && !speakAtOnce(voice_, name, speech::Voice::SpeakTypedKey))
            return;
    if (boxes_.show.isChecked())
        show(name);
}

// Written at the document's end, so the user's cursor and selection stay where they are.
void KeySpeaking::show(const QString& name)
{
    QTextCursor end(editor_.document());
    end.movePosition(QTextCursor::End);
    if (!editor_.document()->isEmpty())
        end.insertBlock();
    end.insertText(name);
}

} // namespace live
