#include "platform/TextDecoding.h"

#include <QStringDecoder>

namespace platform {

namespace {

QString decodeUtf16(const QByteArray& units, QStringDecoder::Encoding encoding)
{
    if (units.size() < 2)
        return {};
    return QStringDecoder(encoding).decode(units);
}

} // namespace

QString decodeByByteOrderMark(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return decodeUtf16(bytes.mid(2), QStringDecoder::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(bytes.mid(2), QStringDecoder::Utf16BE);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    return QString::fromLocal8Bit(bytes);
}

} // namespace platform
