// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <QByteArray>
#include <QString>

namespace platform {

// What the window and the lectorix-web helper tell each other over its standard input and
// output. A navigation and a reading carry a number that their answers repeat, so an answer to
// one the window has since given up is known and dropped.
struct WebMessage {
    enum class Kind : std::uint8_t {
        // To the helper: load the address (text), read the body's text, stop and unload the page.
        Navigate,
        ReadBodyText,
        Stop,
        // From the helper: the navigation's document is complete; the reading's text, or none.
        DocumentComplete,
        BodyText,
        NoBodyText,
    };

    Kind kind = Kind::Stop;
    std::uint32_t number = 0;
    QString text;
};

// The message as a frame: its length, then the message.
QByteArray frameOf(const WebMessage& message);

// Takes the first whole message off the front of the bytes received; none while it is not all
// there. Throws std::runtime_error on bytes that are no message.
std::optional<WebMessage> takeMessage(QByteArray& received);

} // namespace platform
