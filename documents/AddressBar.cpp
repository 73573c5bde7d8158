// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/AddressBar.h"

#include "documents/DocumentOpener.h"
#include "documents/DocumentTypes.h"
#include "platform/WebBrowser.h"

#include <QComboBox>
#include <QFileInfo>
#include <QRegularExpression>

namespace documents {

namespace {

QString trimmedOfControls(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

QString workingAddress(const QString& addressText)
{
    QString address = trimmedOfControls(addressText);
    if (address.startsWith(u'/') || QFileInfo(address).isFile())
        return address;
    // The scheme if there is one, then the host up to the first "/", "?" or "#"; the host of
    // "user@host" is what follows the "@".
    static const QRegularExpression place(
        QStringLiteral(R"(^(?:([A-Za-z][A-Za-z0-9+.-]*):(?://)?)?(?:[^/?#@]*@)?([^/?#]*))"));
    const QRegularExpressionMatch match = place.match(address);
    for (int part : {1, 2})
        if (match.capturedLength(part) > 0)
            address.replace(match.capturedStart(part), match.capturedLength(part),
                            asciiLowerCase(match.captured(part)));
    return address;
}

AddressBar::AddressBar(QComboBox& box, DocumentOpener& opener, platform::WebBrowser& browser,
                       std::function<void(const QString&)> addAddressHistory)
    : box_(box)
    , opener_(opener)
    , browser_(browser)
    , addAddressHistory_(std::move(addAddressHistory))
{
}

// A file that cannot be loaded reaches the caller, with the box and history as they were; what
// goes to the browser is never reported, and keeps the box as typed. Blanks alone name nothing:
// the browser would take them for an empty page and empty the editor.
void AddressBar::GoToAddress()
{
    const QString address = workingAddress(box_.currentText());
    if (address.isEmpty())
        return;
    if (QFileInfo(address).isFile()) {
        if (opener_.OpenDocumentFile(address)) {
            box_.setEditText(address);
            addAddressHistory_(address);
        }
        return;
    }
    try {
        browser_.Navigate(address);
        addAddressHistory_(address);
    } catch (const std::exception&) {
        // What the browser refuses is not reported.
    }
}

} // namespace documents
