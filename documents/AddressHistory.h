// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QStringList>

class QComboBox;

namespace documents {

// The address box's list: the addresses last gone to, newest first. While the user types, the
// entries that begin with the text drop down below the box, which keeps the text as typed.
class AddressHistory final : public QObject {
public:
    static constexpr int MaxEntries = 11;

    // The box is editable: the list below it is its completer's.
    explicit AddressHistory(QComboBox& box);

    // Puts the entry first, taking an equal one out of its place. An empty entry, or one holding a
    // line break, which the history file would give back as two, is refused.
    void add(const QString& entry);
    QStringList entries() const;
    // The list as read at start, kept whole; the box shows no entry.
    void replace(const QStringList& entries);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox& box_;
};

} // namespace documents
