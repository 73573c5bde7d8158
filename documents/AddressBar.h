// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>
#include <QString>

class QComboBox;

namespace platform {
class WebBrowser;
}

namespace documents {

class DocumentOpener;

// The address text with the blanks and control characters around it removed. A web address
// gets its scheme and host in small letters, which name the same place; the rest, which servers
// and file systems tell apart by case, stays as typed.
QString workingAddress(const QString& addressText);

// Opens what the address box names: a file through the type dispatch, anything else in the
// browser, recording it in the history.
class AddressBar {
public:
    AddressBar(QComboBox& box, DocumentOpener& opener, platform::WebBrowser& browser,
               std::function<void(const QString&)> addAddressHistory);

    void GoToAddress();

private:
    QComboBox& box_;
    DocumentOpener& opener_;
    platform::WebBrowser& browser_;
    std::function<void(const QString&)> addAddressHistory_;
};

} // namespace documents
