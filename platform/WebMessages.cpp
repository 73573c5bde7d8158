// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/WebMessages.h"

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>
#include <stdexcept>

namespace platform {

namespace {

constexpr qsizetype LengthBytes = 4;
// The text of the largest page, in UTF-8, with room to spare.
constexpr quint32 MaxFrameBytes = 1u << 30;
constexpr auto LastKind = WebMessage::Kind::NoBodyText;

} // namespace

QByteArray frameOf(const WebMessage& message)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out << static_cast<quint8>(message.kind) << message.number << message.text.toUtf8();
    QByteArray frame(LengthBytes, Qt::Uninitialized);
    qToBigEndian(static_cast<quint32>(body.size()), frame.data());
    return frame + body;
}

std::optional<WebMessage> takeMessage(QByteArray& received)
{
    if (received.size() < LengthBytes)
        return std::nullopt;
    const auto length = qFromBigEndian<quint32>(received.constData());
    if (length > MaxFrameBytes)
        throw std::runtime_error("The web page reader sent a message too long to be one");
    if (received.size() - LengthBytes < qsizetype(length))
        return std::nullopt;
    QDataStream in(received.mid(LengthBytes, length));
    quint8 kind = 0;
    WebMessage message;
    QByteArray text;
    in >> kind >> message.number >> text;
    if (in.status() != QDataStream::Ok || kind > static_cast<quint8>(LastKind))
        throw std::runtime_error("The web page reader sent a message that is none");
    message.kind = static_cast<WebMessage::Kind>(kind);
    message.text = QString::fromUtf8(text);
    received.remove(0, LengthBytes + length);
    return message;
}

} // namespace platform
